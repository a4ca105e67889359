// Builds small RIFF WAVE files in memory for tests.
#pragma once

#include "core/base/little_endian.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace kubrix::test {

inline void appendTag(std::vector<std::uint8_t>& out, std::string_view tag)
{
    out.insert(out.end(), tag.begin(), tag.end());
}

// PCM with the given samples (8-bit when bits is 8, else 16-bit little-endian bytes as given).
inline std::vector<std::uint8_t> pcmWave(const std::vector<std::uint8_t>& data,
                                         std::uint16_t channels = 1, std::uint32_t rate = 11025,
                                         std::uint16_t bits = 8)
{
    std::vector<std::uint8_t> out;
    appendTag(out, "RIFF");
    appendLe32(out, static_cast<std::uint32_t>(4 + 8 + 16 + 8 + data.size() + (data.size() & 1U)));
    appendTag(out, "WAVE");
    appendTag(out, "fmt ");
    appendLe32(out, 16);
    appendLe16(out, 1);
    appendLe16(out, channels);
    appendLe32(out, rate);
    const auto block = static_cast<std::uint16_t>(channels * bits / 8);
    appendLe32(out, rate * block);
    appendLe16(out, block);
    appendLe16(out, bits);
    appendTag(out, "data");
    appendLe32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    if ((data.size() & 1U) != 0)
        out.push_back(0);
    return out;
}

} // namespace kubrix::test
