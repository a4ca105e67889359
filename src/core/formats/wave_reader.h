// Parses a RIFF WAVE file held in memory: its sample format and its sample bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kubrix {

// The largest wave file a skin takes in: the built-in skin's music, 88 seconds of 8-bit mono,
// is under 1 MB.
inline constexpr std::size_t kMaxWaveFileBytes = 32 * 1024 * 1024;

// Negative values are failures.
enum class WaveStatus { Ok = 0, Failed = -1, InvalidArgument = -2, NotInitialised = -3 };

inline bool failed(WaveStatus status)
{
    return static_cast<int>(status) < 0;
}

// The wave format record (18 bytes in the file: six fields, then extraSize) and its extra bytes.
// A PCM record (formatTag 1) has no extra bytes, whatever the length of its "fmt " chunk.
struct WaveFormat {
    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSecond = 0;
    std::uint32_t averageBytesPerSecond = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint16_t extraSize = 0;
    std::vector<std::uint8_t> extra;
};

// Works on a private copy of the file image. The "fmt " and "data" chunks are each searched from
// the first chunk inside the RIFF chunk, so their order and any chunks between them do not
// matter; chunk contents of odd length are followed by one pad byte. The "fmt " chunk must lie
// wholly inside the image, and a non-PCM record's count and extra bytes inside that chunk.
class WaveReader {
public:
    static constexpr std::uint16_t kPcmTag = 1;

    // Copies the image and positions the reader at the first sample byte. On failure the reader
    // is closed. A "data" chunk claiming more bytes than the image holds still opens; the read
    // that reaches the end of the image fails.
    WaveStatus open(const std::uint8_t* bytes, std::size_t length);
    // Copies min(count, bytes not yet read) and advances. When the image ends first, the bytes
    // that exist are copied, *copied says how many, and the read fails.
    WaveStatus read(std::uint8_t* destination, std::size_t count, std::size_t* copied);
    // Releases the image and forgets the format.
    void close();

    bool isOpen() const { return open_; }
    const WaveFormat& format() const { return format_; }
    // The length the "data" chunk claims.
    std::uint32_t dataSize() const { return dataSize_; }
    // How many of the unread sample bytes the image really holds: what a caller sizes its
    // buffer by, since a damaged header may claim up to 4 GB.
    std::size_t dataPresent() const;

private:
    struct Chunk {
        std::uint64_t contentStart = 0;
        std::uint32_t length = 0;
    };

    WaveStatus parse();
    bool findChunk(const char* id, Chunk& found) const;
    bool readFormat(const Chunk& chunk);

    std::vector<std::uint8_t> image_;
    bool open_ = false;
    WaveFormat format_;
    std::uint64_t chunksEnd_ = 0; // end of the RIFF chunk, cut to the end of the image
    std::uint64_t position_ = 0;
    std::uint32_t dataSize_ = 0;
    std::uint32_t unread_ = 0;
};

} // namespace kubrix
