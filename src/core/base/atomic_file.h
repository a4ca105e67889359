// The one way the program writes a file: all of the new content or none of it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace kubrix {

// Writes the bytes into a new temporary file beside path, then renames it over path, so that
// a reader, or a crash part-way, sees either the old file or the whole new one. On any failure
// (a read-only or full folder, a file-size limit) the temporary is removed, the old file is
// left as it was, and the result is false. An existing file that is read-only, or is not a
// regular file, is not replaced. Throws nothing.
bool writeFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

} // namespace kubrix
