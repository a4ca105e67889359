// The one way the program writes a file: all of the new content or none of it.
#include "core/base/atomic_file.h"

#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <system_error>

namespace kubrix {

namespace {

constexpr int kNameAttempts = 16;

// Opened exclusively ("x"), so two writers never share a temporary whatever names they draw.
std::FILE* createTemporary(const std::filesystem::path& target, std::filesystem::path& temporary)
{
    std::minstd_rand draw(static_cast<std::minstd_rand::result_type>(
        std::chrono::steady_clock::now().time_since_epoch().count()));
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        temporary = target;
        temporary.replace_filename("." + target.filename().string() + ".tmp-" +
                                   std::to_string(draw()));
        if (std::FILE* file = std::fopen(temporary.c_str(), "wbx"))
            return file;
    }
    return nullptr;
}

bool writeAndClose(std::FILE* file, std::span<const std::uint8_t> bytes)
{
    // An empty span may have no storage at all, which fwrite must not be given.
    const bool written =
        (bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size()) &&
        std::fflush(file) == 0 && std::ferror(file) == 0;
    // Closing reports the errors of a write the system had still buffered.
    return std::fclose(file) == 0 && written;
}

} // namespace

bool writeFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    try {
        std::error_code error;
        const std::filesystem::file_status old = std::filesystem::status(path, error);
        const bool replacing = std::filesystem::exists(old);
        if (replacing && (!std::filesystem::is_regular_file(old) ||
                          (old.permissions() & std::filesystem::perms::owner_write) ==
                              std::filesystem::perms::none))
            return false;

        std::filesystem::path temporary;
        std::FILE* file = createTemporary(path, temporary);
        if (file == nullptr)
            return false;
        bool done = writeAndClose(file, bytes);
        if (done && replacing)
            std::filesystem::permissions(temporary, old.permissions(), error);
        if (done) {
            std::filesystem::rename(temporary, path, error);
            done = !error;
        }
        if (!done)
            std::filesystem::remove(temporary, error);
        return done;
    } catch (...) {
        // Building a path may allocate; a program out of memory keeps its old file.
        return false;
    }
}

} // namespace kubrix
