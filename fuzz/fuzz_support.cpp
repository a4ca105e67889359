// Shared by the fuzz targets: reading the built-in skin's files for seeds.
#include "core/base/read_file.h"
#include "fuzz_target.h"

namespace kubrix::fuzz {

std::vector<std::uint8_t> skinFile(const std::filesystem::path& skinFolder, const char* name)
{
    constexpr std::size_t kLargestSkinFile = 64 * 1024 * 1024;
    return readFile(skinFolder / name, kLargestSkinFile).bytes;
}

} // namespace kubrix::fuzz
