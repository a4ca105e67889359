// Parses a RIFF WAVE file held in memory.
#include "core/formats/wave_reader.h"

#include "core/base/little_endian.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace kubrix {

namespace {

// "RIFF", its length, then the form type "WAVE"; the first inner chunk follows.
constexpr std::uint64_t kFirstChunk = 12;
constexpr std::uint64_t kChunkHeader = 8;
constexpr std::uint32_t kFormatFields = 16;

} // namespace

WaveStatus WaveReader::open(const std::uint8_t* bytes, std::size_t length)
{
    close();
    if (bytes == nullptr) {
        return WaveStatus::InvalidArgument;
    }
    WaveStatus status = WaveStatus::Failed;
    try {
        image_.assign(bytes, bytes + length);
        status = parse();
    } catch (const std::bad_alloc&) {
        status = WaveStatus::Failed;
    }
    if (status == WaveStatus::Ok) {
        open_ = true;
    } else {
        close();
    }
    return status;
}

WaveStatus WaveReader::read(std::uint8_t* destination, std::size_t count, std::size_t* copied)
{
    if (destination == nullptr || copied == nullptr) {
        return WaveStatus::InvalidArgument;
    }
    *copied = 0;
    if (!open_) {
        return WaveStatus::NotInitialised;
    }
    const std::uint64_t wanted = std::min<std::uint64_t>(count, unread_);
    const std::uint64_t taken = std::min<std::uint64_t>(wanted, dataPresent());
    if (taken > 0) {
        std::memcpy(destination, image_.data() + position_, static_cast<std::size_t>(taken));
    }
    position_ += taken;
    unread_ -= static_cast<std::uint32_t>(taken);
    *copied = static_cast<std::size_t>(taken);
    return taken < wanted ? WaveStatus::Failed : WaveStatus::Ok;
}

std::size_t WaveReader::dataPresent() const
{
    const std::uint64_t left = image_.size() - std::min<std::uint64_t>(position_, image_.size());
    return static_cast<std::size_t>(std::min<std::uint64_t>(unread_, left));
}

void WaveReader::close()
{
    image_.clear();
    image_.shrink_to_fit();
    open_ = false;
    format_ = WaveFormat{};
    chunksEnd_ = 0;
    position_ = 0;
    dataSize_ = 0;
    unread_ = 0;
}

WaveStatus WaveReader::parse()
{
    if (image_.size() < kFirstChunk || std::memcmp(image_.data(), "RIFF", 4) != 0 ||
        std::memcmp(image_.data() + 8, "WAVE", 4) != 0) {
        return WaveStatus::Failed;
    }
    // A RIFF length that claims more than the image holds is cut to the image.
    chunksEnd_ = std::min<std::uint64_t>(kChunkHeader + readLe32(image_, 4), image_.size());

    Chunk formatChunk;
    if (!findChunk("fmt ", formatChunk) || formatChunk.length < kFormatFields) {
        return WaveStatus::Failed;
    }
    // The whole format chunk must be present: leaving it means moving to its end.
    if (formatChunk.contentStart + formatChunk.length > image_.size() || !readFormat(formatChunk)) {
        return WaveStatus::Failed;
    }

    Chunk dataChunk;
    if (!findChunk("data", dataChunk)) {
        return WaveStatus::Failed;
    }
    position_ = dataChunk.contentStart;
    dataSize_ = dataChunk.length;
    unread_ = dataChunk.length;
    return WaveStatus::Ok;
}

bool WaveReader::findChunk(const char* id, Chunk& found) const
{
    // 64-bit offsets: a length near 2^32 moves past the end instead of wrapping back, and every
    // step advances by at least one header, so the walk always ends.
    std::uint64_t offset = kFirstChunk;
    while (offset + kChunkHeader <= chunksEnd_) {
        const std::uint32_t length = readLe32(image_, offset + 4);
        if (std::memcmp(image_.data() + offset, id, 4) == 0) {
            found = Chunk{offset + kChunkHeader, length};
            return true;
        }
        offset += kChunkHeader + length + (length & 1U);
    }
    return false;
}

bool WaveReader::readFormat(const Chunk& chunk)
{
    const std::uint64_t at = chunk.contentStart;
    WaveFormat format;
    format.formatTag = readLe16(image_, at);
    format.channels = readLe16(image_, at + 2);
    format.samplesPerSecond = readLe32(image_, at + 4);
    format.averageBytesPerSecond = readLe32(image_, at + 8);
    format.blockAlign = readLe16(image_, at + 12);
    format.bitsPerSample = readLe16(image_, at + 14);
    if (format.formatTag != kPcmTag) {
        // The extra-byte count and the extra bytes must lie inside the format chunk.
        if (chunk.length < kFormatFields + 2U) {
            return false;
        }
        format.extraSize = readLe16(image_, at + kFormatFields);
        if (kFormatFields + 2U + format.extraSize > chunk.length) {
            return false;
        }
        const auto first = image_.begin() + static_cast<std::ptrdiff_t>(at + kFormatFields + 2);
        format.extra.assign(first, first + format.extraSize);
    }
    format_ = std::move(format);
    return true;
}

} // namespace kubrix
