// Fuzzes skin package loading and everything the game reads out of a loaded package.
#include "core/base/little_endian.h"
#include "core/formats/packed_image.h"
#include "core/formats/skin_package.h"
#include "core/formats/wave_reader.h"
#include "fuzz_target.h"

#include <optional>

namespace {

using namespace kubrix;

void readEverySlot(const SkinPackage& package)
{
    for (int i = 0; i < SkinPackage::kInfoSlots; ++i)
        fuzz::require(package.infoText(i).size() < package.bytes().size());
    for (int i = 0; i < SkinPackage::kImageSlots; ++i) {
        RgbaImage image;
        unpack(package.imageRecord(i), image);
    }
    for (int i = 0; i < SkinPackage::kSoundSlots; ++i) {
        const auto bytes = package.soundBytes(i);
        WaveReader reader;
        if (failed(reader.open(bytes.data(), bytes.size())))
            continue;
        std::vector<std::uint8_t> samples(reader.dataPresent());
        std::size_t copied = 0;
        reader.read(samples.data(), samples.size(), &copied);
        fuzz::require(copied == samples.size());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);
    // A file with its checksum, as the game loads it; and the same bytes unchecked, as the
    // built-in skin is loaded, so that the fuzzer need not forge a checksum to get further.
    if (const std::optional<SkinPackage> checked = SkinPackage::fromBytes(bytes))
        readEverySlot(*checked);
    std::optional<SkinPackage> package = SkinPackage::fromBuiltIn(bytes);
    if (!package)
        return 0;
    readEverySlot(*package);
    // Changing a slot keeps the package whole: it loads again, with the new text in place.
    package->setInfoText(3, "renamed");
    std::vector<std::uint8_t> changed = package->bytes();
    writeLe16(changed, 126, package->computeChecksum());
    const std::optional<SkinPackage> again = SkinPackage::fromBytes(changed);
    fuzz::require(again.has_value() && again->infoText(3) == "renamed");
    return 0;
}

std::vector<kubrix::fuzz::Seed> kubrix::fuzz::seeds(const std::filesystem::path& skinFolder)
{
    SkinPackage small;
    small.setInfoText(3, "Small");
    small.setInfoText(0, "Ann");
    // A PCM wave of three 8-bit samples, and a 2 x 1 picture.
    small.setSoundBytes(
        5, std::vector<std::uint8_t>{'R',  'I',  'F', 'F', 39,   0,    0, 0, 'W', 'A', 'V', 'E',
                                     'f',  'm',  't', ' ', 16,   0,    0, 0, 1,   0,   1,   0,
                                     0x11, 0x2B, 0,   0,   0x11, 0x2B, 0, 0, 1,   0,   8,   0,
                                     'd',  'a',  't', 'a', 3,    0,    0, 0, 128, 140, 120, 0});
    RgbaImage image;
    image.width = 2;
    image.height = 1;
    image.pixels = {1, 2, 3, 4, 5, 6, 7, 8};
    small.setImageRecord(0, pack(image));
    std::vector<std::uint8_t> bytes = small.bytes();
    writeLe16(bytes, 126, small.computeChecksum());
    return {{"builtin.KBS", skinFile(skinFolder, "Kubrix.KBS")}, {"small.KBS", bytes}};
}
