// The one way the program reads a whole file: regular files only, and never more than a cap.
#include "core/base/read_file.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>
#include <system_error>

namespace kubrix {

namespace {

constexpr std::size_t kChunk = 64 * 1024;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

FileBytes failure(ReadFileError error)
{
    FileBytes result;
    result.error = error;
    return result;
}

} // namespace

FileBytes readFile(const std::filesystem::path& path, std::size_t cap)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return failure(ReadFileError::NotFound);
    if (error)
        return failure(ReadFileError::IoError);
    if (status.type() != std::filesystem::file_type::regular)
        return failure(ReadFileError::NotRegular);
    // The size is only a first guess (the file may change under us); it spares reading a huge
    // sparse file just to learn that it is too large.
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size > cap)
        return failure(ReadFileError::TooLarge);

    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return failure(ReadFileError::IoError);
    FileBytes result;
    try {
        if (!error)
            result.bytes.reserve(static_cast<std::size_t>(size));
        // One byte past the cap tells a file that grew beyond it from one that ends there.
        while (result.bytes.size() <= cap) {
            const std::size_t at = result.bytes.size();
            const std::size_t wanted = std::min(kChunk, cap + 1 - at);
            result.bytes.resize(at + wanted);
            const std::size_t got = std::fread(result.bytes.data() + at, 1, wanted, file.get());
            result.bytes.resize(at + got);
            if (got < wanted)
                break;
        }
    } catch (const std::bad_alloc&) {
        return failure(ReadFileError::IoError);
    }
    if (std::ferror(file.get()))
        return failure(ReadFileError::IoError);
    if (result.bytes.size() > cap)
        return failure(ReadFileError::TooLarge);
    return result;
}

} // namespace kubrix
