// Fuzzes the unpacking of packed images, as they come out of a skin package's image slots.
#include "core/formats/packed_image.h"
#include "core/formats/skin_package.h"
#include "fuzz_target.h"

#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kubrix;
    const std::span<const std::uint8_t> record(data, size);
    fuzz::require(packedSize(record) <= size);
    RgbaImage image;
    std::size_t visited = 0;
    const bool whole =
        unpack(record, image, [&](std::uint32_t, std::size_t first, std::size_t count) {
            fuzz::require(first == visited);
            visited += count;
        });
    if (!whole) {
        fuzz::require(image.empty());
        return 0;
    }
    const std::size_t pixels =
        static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    fuzz::require(visited == pixels && image.pixels.size() == pixels * 4);
    // Unpacked pixels have the red bit cleared already, so packing them is lossless.
    RgbaImage again;
    fuzz::require(unpack(pack(image), again) && again.pixels == image.pixels);
    fuzz::require(copyAlphaFrom(image, again));
    return 0;
}

std::vector<kubrix::fuzz::Seed> kubrix::fuzz::seeds(const std::filesystem::path& skinFolder)
{
    std::vector<Seed> seeds;
    if (const auto skin = SkinPackage::fromBytes(skinFile(skinFolder, "Kubrix.KBS"))) {
        for (int i = 0; i < SkinPackage::kImageSlots; ++i) {
            const auto record = skin->imageRecord(i);
            seeds.push_back({"skin_image_" + std::to_string(i), {record.begin(), record.end()}});
        }
    }
    RgbaImage small;
    small.width = 3;
    small.height = 2;
    small.pixels = {10, 20, 30, 255, 10, 20, 30, 255, 10, 20, 30, 255,
                    11, 20, 30, 255, 50, 60, 70, 0,   50, 60, 70, 0};
    seeds.push_back({"small_runs", pack(small)});
    return seeds;
}
