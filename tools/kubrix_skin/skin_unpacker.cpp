// Turns a skin package back into a skin script with its bitmaps and waves.
#include "kubrix_skin/skin_unpacker.h"

#include "core/formats/bmp_writer.h"
#include "core/formats/packed_image.h"
#include "core/skin/skin_script.h"
#include "core/skin/skin_script_compiler.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <optional>
#include <sstream>
#include <utility>

namespace kubrix {

namespace {

// Unpacked files are named after their slots: "gameover.wav", "texture.bmp".
std::string fileFor(std::string_view slotName, std::string_view extension)
{
    std::string name;
    for (const char c : slotName)
        name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name + std::string(extension);
}

bool writeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

// A script value is trimmed and ends at the line, and the compiler always writes text + NUL.
bool infoReproducible(const SkinPackage& package, int index)
{
    const auto slot = package.slotBytes(SkinPackage::slotOf(SlotGroup::Info, index));
    const std::string text = package.infoText(index);
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; };
    return slot.size() == text.size() + 1 && text.find_first_of("\r\n") == std::string::npos &&
           (text.empty() || (!blank(text.front()) && !blank(text.back())));
}

bool writeImage(const SkinPackage& package, int index, const std::filesystem::path& folder,
                std::ostream& script, std::ostream& warnings)
{
    const auto record = package.imageRecord(index);
    const std::string_view name = kImageIndexNames[static_cast<std::size_t>(index)];
    if (record.empty())
        return true;
    RgbaImage image;
    if (!unpackForRepacking(record, image)) {
        warnings << "image " << name << " is damaged and was left out\n";
        return true;
    }
    const bool square =
        image.width == image.height && image.width > 0 && (image.width & (image.width - 1)) == 0;
    const std::vector<std::uint8_t> again = pack(image);
    if (!square || !std::equal(again.begin(), again.end() - 1, record.begin()) ||
        record.back() != 0)
        warnings << "image " << name << " cannot be rebuilt byte for byte by the compiler\n";
    const std::string file = fileFor(name, ".bmp");
    const std::string mask = maskPathFor(file).string();
    script << "IMAGE[" << name << "] = " << file << "\n";
    return writeBmp24((folder / file).string(), image, BmpChannel::Colour) &&
           writeBmp24((folder / mask).string(), image, BmpChannel::AlphaAsGrey);
}

} // namespace

bool unpackForRepacking(std::span<const std::uint8_t> record, RgbaImage& image)
{
    // Packing only splits where pixels differ, so neighbouring runs of the same value differed
    // in the lost bit: they get it alternately set and clear again.
    std::vector<std::pair<std::size_t, std::size_t>> oddRuns;
    std::optional<std::uint32_t> previous;
    bool oddBit = false;
    RgbaImage unpacked;
    const bool whole =
        unpack(record, unpacked, [&](std::uint32_t pixel, std::size_t first, std::size_t count) {
            oddBit = previous == pixel && !oddBit;
            previous = pixel;
            if (oddBit)
                oddRuns.emplace_back(first, count);
        });
    if (!whole)
        return false;
    for (const auto& [first, count] : oddRuns)
        for (std::size_t i = first; i < first + count; ++i)
            unpacked.pixels[i * 4] |= 1U;
    image = std::move(unpacked);
    return true;
}

bool unpackSkin(const SkinPackage& package, const std::filesystem::path& folder,
                std::ostream& warnings)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    std::ostringstream script;
    script << "// A skin script unpacked by kubrix-skin; compile it with: kubrix-skin compile "
              "skin.txt\n";
    std::string saveTo = std::filesystem::path(package.path()).filename().string();
    script << "SAVETO = " << (saveTo.empty() ? "Unpacked.KBS" : saveTo) << "\n";
    for (int i = 0; i < SkinPackage::kInfoSlots; ++i) {
        if (!infoReproducible(package, i))
            warnings << "info " << kInfoIndexNames[std::size_t(i)]
                     << " cannot be written exactly in a script\n";
        script << "INFO[" << kInfoIndexNames[std::size_t(i)] << "] = " << package.infoText(i)
               << "\n";
    }
    bool ok = true;
    for (int i = 0; i < SkinPackage::kSoundSlots; ++i) {
        const auto bytes = package.soundBytes(i);
        if (bytes.empty())
            continue;
        const std::string file = fileFor(kSoundIndexNames[std::size_t(i)], ".wav");
        script << "SOUND[" << kSoundIndexNames[std::size_t(i)] << "] = " << file << "\n";
        ok = writeFile(folder / file, bytes) && ok;
    }
    for (int i = 0; i < SkinPackage::kImageSlots; ++i)
        ok = writeImage(package, i, folder, script, warnings) && ok;
    const std::string text = script.str();
    return writeFile(folder / "skin.txt",
                     std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size())) &&
           ok;
}

} // namespace kubrix
