// Reading and writing the little-endian integers of the file formats (BMP, RIFF, packages).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kubrix {

// The caller has checked that the bytes at `at` exist.
inline std::uint16_t readLe16(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

inline std::uint32_t readLe32(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return std::uint32_t{readLe16(bytes, at)} | std::uint32_t{readLe16(bytes, at + 2)} << 16;
}

inline void writeLe16(std::span<std::uint8_t> bytes, std::size_t at, std::uint16_t value)
{
    bytes[at] = static_cast<std::uint8_t>(value & 0xFFU);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void writeLe32(std::span<std::uint8_t> bytes, std::size_t at, std::uint32_t value)
{
    writeLe16(bytes, at, static_cast<std::uint16_t>(value & 0xFFFFU));
    writeLe16(bytes, at + 2, static_cast<std::uint16_t>(value >> 16));
}

inline void appendLe16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.resize(out.size() + 2);
    writeLe16(out, out.size() - 2, value);
}

inline void appendLe32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    out.resize(out.size() + 4);
    writeLe32(out, out.size() - 4, value);
}

} // namespace kubrix
