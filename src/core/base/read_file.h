// The one way the program reads a whole file: regular files only, and never more than a cap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace kubrix {

enum class ReadFileError { None, NotFound, NotRegular, TooLarge, IoError };

struct FileBytes {
    std::vector<std::uint8_t> bytes;
    ReadFileError error = ReadFileError::None;
    bool ok() const { return error == ReadFileError::None; }
};

// Reads the whole file, following links. Anything but a regular file (a directory, FIFO,
// device or socket) is refused before it is opened, so that a FIFO cannot block the caller; a
// file of more than cap bytes is refused, even one that grows while it is read, and never
// costs more than cap + 1 bytes of memory. Throws nothing.
FileBytes readFile(const std::filesystem::path& path, std::size_t cap);

} // namespace kubrix
