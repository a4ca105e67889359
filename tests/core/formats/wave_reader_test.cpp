// The wave reader: header checks, chunk search, format records, sample reads, damaged images.
#include "core/base/little_endian.h"
#include "core/formats/wave_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace kubrix {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes join(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

// A chunk whose length field says `claimed`, followed by `content` exactly as given.
Bytes rawChunk(const std::string& id, std::uint32_t claimed, const Bytes& content)
{
    Bytes out(id.begin(), id.end());
    appendLe32(out, claimed);
    out.insert(out.end(), content.begin(), content.end());
    return out;
}

// A well-formed chunk: its true length, and a pad byte after odd contents.
Bytes chunk(const std::string& id, const Bytes& content)
{
    Bytes out = rawChunk(id, static_cast<std::uint32_t>(content.size()), content);
    if (content.size() % 2 != 0) {
        out.push_back(0xEE);
    }
    return out;
}

Bytes riff(const Bytes& body, const std::string& form = "WAVE")
{
    return rawChunk("RIFF", static_cast<std::uint32_t>(4 + body.size()),
                    join({Bytes(form.begin(), form.end()), body}));
}

// The six fields of a format record, followed by `tail`.
Bytes formatContent(std::uint16_t tag, const Bytes& tail = {})
{
    Bytes out;
    appendLe16(out, tag);
    appendLe16(out, 2);     // channels
    appendLe32(out, 22050); // samples per second
    appendLe32(out, 88200); // bytes per second
    appendLe16(out, 4);     // block alignment
    appendLe16(out, 16);    // bits per sample
    out.insert(out.end(), tail.begin(), tail.end());
    return out;
}

Bytes pcmFormat()
{
    return chunk("fmt ", formatContent(1));
}

Bytes samples(std::size_t count)
{
    Bytes out(count);
    for (std::size_t i = 0; i < count; ++i) {
        out[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    return out;
}

WaveStatus openImage(WaveReader& reader, const Bytes& image)
{
    return reader.open(image.data(), image.size());
}

// Reads everything left in one call; status and bytes.
std::pair<WaveStatus, Bytes> readRest(WaveReader& reader, std::size_t capacity = 1 << 16)
{
    Bytes out(capacity);
    std::size_t copied = 0;
    const WaveStatus status = reader.read(out.data(), out.size(), &copied);
    out.resize(copied);
    return {status, out};
}

TEST(WaveReader, OpensPcmAndReadsItsSamples)
{
    const Bytes data = samples(10);
    WaveReader reader;
    ASSERT_EQ(openImage(reader, riff(join({pcmFormat(), chunk("data", data)}))), WaveStatus::Ok);
    EXPECT_TRUE(reader.isOpen());
    const WaveFormat& format = reader.format();
    EXPECT_EQ(format.formatTag, 1);
    EXPECT_EQ(format.channels, 2);
    EXPECT_EQ(format.samplesPerSecond, 22050U);
    EXPECT_EQ(format.averageBytesPerSecond, 88200U);
    EXPECT_EQ(format.blockAlign, 4);
    EXPECT_EQ(format.bitsPerSample, 16);
    EXPECT_EQ(format.extraSize, 0);
    EXPECT_EQ(reader.dataSize(), 10U);

    // A read of more than remains copies only the rest.
    Bytes first(4);
    std::size_t copied = 99;
    EXPECT_EQ(reader.read(first.data(), first.size(), &copied), WaveStatus::Ok);
    EXPECT_EQ(copied, 4U);
    EXPECT_EQ(first, Bytes(data.begin(), data.begin() + 4));
    const auto [status, rest] = readRest(reader, 100);
    EXPECT_EQ(status, WaveStatus::Ok);
    EXPECT_EQ(rest, Bytes(data.begin() + 4, data.end()));
    const auto [after, nothing] = readRest(reader);
    EXPECT_EQ(after, WaveStatus::Ok);
    EXPECT_TRUE(nothing.empty());

    reader.close();
    EXPECT_FALSE(reader.isOpen());
    EXPECT_EQ(readRest(reader).first, WaveStatus::NotInitialised);
}

TEST(WaveReader, RefusesImagesThatAreNotRiffWave)
{
    const Bytes body = join({pcmFormat(), chunk("data", samples(4))});
    const Bytes valid = riff(body);
    WaveReader reader;
    EXPECT_EQ(reader.open(valid.data(), 0), WaveStatus::Failed); // an empty slot
    EXPECT_EQ(openImage(reader, riff(body, "AVI ")), WaveStatus::Failed);
    EXPECT_EQ(openImage(reader, chunk("LIST", join({Bytes{'W', 'A', 'V', 'E'}, body}))),
              WaveStatus::Failed);
    EXPECT_EQ(reader.open(valid.data(), 11), WaveStatus::Failed);
    EXPECT_FALSE(reader.isOpen());
    EXPECT_EQ(openImage(reader, valid), WaveStatus::Ok);
}

TEST(WaveReader, FormatChunkRules)
{
    const Bytes data = chunk("data", samples(6));
    WaveReader reader;

    // The old 14-byte record without bits per sample.
    const Bytes old = formatContent(1);
    EXPECT_EQ(
        openImage(reader, riff(join({chunk("fmt ", Bytes(old.begin(), old.begin() + 14)), data}))),
        WaveStatus::Failed);
    EXPECT_EQ(openImage(reader, riff(data)), WaveStatus::Failed);
    EXPECT_EQ(openImage(reader, riff(pcmFormat())), WaveStatus::Failed);

    // PCM ignores the count that an 18-byte chunk carries, and the search goes on past it.
    ASSERT_EQ(openImage(reader, riff(join({chunk("fmt ", formatContent(1, {5, 0})), data}))),
              WaveStatus::Ok);
    EXPECT_EQ(reader.format().extraSize, 0);
    EXPECT_TRUE(reader.format().extra.empty());
    EXPECT_EQ(readRest(reader).second, samples(6));

    // Any other tag carries its extra bytes.
    Bytes extension;
    appendLe16(extension, 32);
    const Bytes extra = samples(32);
    extension.insert(extension.end(), extra.begin(), extra.end());
    ASSERT_EQ(openImage(reader, riff(join({chunk("fmt ", formatContent(2, extension)), data}))),
              WaveStatus::Ok);
    EXPECT_EQ(reader.format().formatTag, 2);
    EXPECT_EQ(reader.format().extraSize, 32);
    EXPECT_EQ(reader.format().extra, extra);
    EXPECT_EQ(readRest(reader).second, samples(6));

    // The count and the bytes it announces must lie inside the chunk.
    extension.pop_back();
    EXPECT_EQ(openImage(reader, riff(join({chunk("fmt ", formatContent(2, extension)), data}))),
              WaveStatus::Failed);
    EXPECT_EQ(openImage(reader, riff(join({chunk("fmt ", formatContent(2)), data}))),
              WaveStatus::Failed);
    EXPECT_FALSE(reader.isOpen());
    EXPECT_EQ(reader.format().extraSize, 0);
}

TEST(WaveReader, SearchesFromTheFirstChunkAndHonoursPadding)
{
    const Bytes data = chunk("data", samples(8));
    const Bytes list = chunk("LIST", samples(20));
    WaveReader reader;
    ASSERT_EQ(openImage(reader, riff(join({pcmFormat(), list, data}))), WaveStatus::Ok);
    EXPECT_EQ(readRest(reader).second, samples(8));
    ASSERT_EQ(openImage(reader, riff(join({data, list, pcmFormat()}))), WaveStatus::Ok);
    EXPECT_EQ(reader.format().samplesPerSecond, 22050U);
    EXPECT_EQ(readRest(reader).second, samples(8));

    // Odd lengths are followed by a pad byte: a 3-byte chunk, a 17-byte format, 5 samples.
    ASSERT_EQ(openImage(reader,
                        riff(join({chunk("junk", samples(3)), chunk("fmt ", formatContent(1, {0})),
                                   chunk("data", samples(5))}))),
              WaveStatus::Ok);
    EXPECT_EQ(reader.dataSize(), 5U);
    EXPECT_EQ(readRest(reader).second, samples(5));

    // Only the chunks inside the RIFF chunk count.
    const Bytes inner = riff(pcmFormat());
    EXPECT_EQ(openImage(reader, join({inner, data})), WaveStatus::Failed);
}

TEST(WaveReader, DataChunkEdges)
{
    WaveReader reader;
    ASSERT_EQ(openImage(reader, riff(join({pcmFormat(), chunk("data", {})}))), WaveStatus::Ok);
    EXPECT_EQ(reader.dataSize(), 0U);
    const auto [status, nothing] = readRest(reader);
    EXPECT_EQ(status, WaveStatus::Ok);
    EXPECT_TRUE(nothing.empty());

    // A data chunk that claims more than the image holds opens; the read fails at the end.
    const Bytes present = samples(6);
    ASSERT_EQ(openImage(reader, riff(join({pcmFormat(), rawChunk("data", 1000, present)}))),
              WaveStatus::Ok);
    EXPECT_EQ(reader.dataSize(), 1000U);
    Bytes small(4);
    std::size_t copied = 0;
    EXPECT_EQ(reader.read(small.data(), small.size(), &copied), WaveStatus::Ok);
    EXPECT_EQ(copied, 4U);
    const auto [late, rest] = readRest(reader, 2000);
    EXPECT_EQ(late, WaveStatus::Failed);
    EXPECT_EQ(rest, Bytes(present.begin() + 4, present.end()));
    EXPECT_EQ(readRest(reader).first, WaveStatus::Failed);
}

TEST(WaveReader, NullArgumentsAndUnopenedReader)
{
    WaveReader reader;
    Bytes buffer(8);
    std::size_t copied = 5;
    EXPECT_EQ(reader.read(buffer.data(), buffer.size(), &copied), WaveStatus::NotInitialised);
    EXPECT_EQ(copied, 0U);
    EXPECT_EQ(reader.open(nullptr, 100), WaveStatus::InvalidArgument);
    EXPECT_EQ(reader.open(nullptr, 0), WaveStatus::InvalidArgument);

    const Bytes image = riff(join({pcmFormat(), chunk("data", samples(8))}));
    ASSERT_EQ(openImage(reader, image), WaveStatus::Ok);
    EXPECT_EQ(reader.read(nullptr, 4, &copied), WaveStatus::InvalidArgument);
    EXPECT_EQ(reader.read(buffer.data(), 4, nullptr), WaveStatus::InvalidArgument);
    // Neither bad call moved the position.
    EXPECT_EQ(readRest(reader).second, samples(8));

    // A failed open closes a reader that was open.
    ASSERT_EQ(openImage(reader, image), WaveStatus::Ok);
    EXPECT_EQ(reader.open(nullptr, image.size()), WaveStatus::InvalidArgument);
    EXPECT_FALSE(reader.isOpen());
    ASSERT_EQ(openImage(reader, image), WaveStatus::Ok);
    EXPECT_EQ(openImage(reader, riff({}, "WAVE")), WaveStatus::Failed);
    EXPECT_FALSE(reader.isOpen());
    EXPECT_EQ(reader.dataSize(), 0U);
    EXPECT_EQ(reader.read(buffer.data(), buffer.size(), &copied), WaveStatus::NotInitialised);

    // The reader keeps its own copy: changing the caller's bytes changes nothing read.
    Bytes changing = image;
    ASSERT_EQ(openImage(reader, changing), WaveStatus::Ok);
    std::fill(changing.begin(), changing.end(), 0);
    EXPECT_EQ(readRest(reader).second, samples(8));
}

TEST(WaveReader, EveryPrefixOfAFileOpensOrFailsSafely)
{
    Bytes extension;
    appendLe16(extension, 4);
    extension.insert(extension.end(), {1, 2, 3, 4});
    const Bytes data = samples(9);
    const Bytes body = join({chunk("LIST", samples(5)), chunk("fmt ", formatContent(2, extension)),
                             chunk("data", data)});
    const Bytes whole = riff(body);
    const std::size_t dataStart = whole.size() - 10; // 9 samples and a pad byte
    for (std::size_t length = 0; length <= whole.size(); ++length) {
        SCOPED_TRACE(length);
        // An exact-size copy, so that a read beyond the prefix is a read beyond the buffer.
        const Bytes prefix(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        WaveReader reader;
        const WaveStatus status = openImage(reader, prefix);
        if (length < dataStart) {
            EXPECT_TRUE(failed(status)); // the empty prefix may have no address at all
            continue;
        }
        ASSERT_EQ(status, WaveStatus::Ok);
        EXPECT_EQ(reader.dataSize(), 9U);
        const auto [readStatus, got] = readRest(reader);
        const std::size_t present = std::min<std::size_t>(length - dataStart, 9);
        EXPECT_EQ(readStatus, present == 9 ? WaveStatus::Ok : WaveStatus::Failed);
        EXPECT_EQ(got, Bytes(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(present)));
    }
}

TEST(WaveReader, ChunkLengthsNearTheLimitNeitherWrapNorHang)
{
    const Bytes format = pcmFormat();
    const Bytes data = chunk("data", samples(4));
    WaveReader reader;

    // With 32-bit arithmetic, length + pad wraps to 0 and the chunks hidden inside would be found.
    EXPECT_EQ(openImage(reader, riff(join({rawChunk("LIST", 0xFFFFFFFFU, {}), format, data}))),
              WaveStatus::Failed);
    // Here the step 8 + length wraps to 0 and the walk would never end.
    EXPECT_EQ(openImage(reader, riff(join({rawChunk("LIST", 0xFFFFFFF8U, {}), format, data}))),
              WaveStatus::Failed);
    EXPECT_EQ(
        openImage(reader, riff(join({rawChunk("fmt ", 0xFFFFFFFFU, formatContent(1)), data}))),
        WaveStatus::Failed);

    // A RIFF length beyond the image is cut to the image.
    Bytes oversized = riff(join({format, data}));
    oversized[4] = oversized[5] = oversized[6] = oversized[7] = 0xFF;
    ASSERT_EQ(openImage(reader, oversized), WaveStatus::Ok);
    EXPECT_EQ(readRest(reader).second, samples(4));

    // A RIFF length that ends before a chunk hides it.
    Bytes shortened = riff(join({format, data}));
    shortened[4] = static_cast<std::uint8_t>(4 + format.size());
    EXPECT_EQ(openImage(reader, shortened), WaveStatus::Failed);

    ASSERT_EQ(openImage(reader, riff(join({format, rawChunk("data", 0xFFFFFFFFU, samples(3))}))),
              WaveStatus::Ok);
    EXPECT_EQ(reader.dataSize(), 0xFFFFFFFFU);
    const auto [status, got] = readRest(reader);
    EXPECT_EQ(status, WaveStatus::Failed);
    EXPECT_EQ(got, samples(3));
}

} // namespace
} // namespace kubrix
