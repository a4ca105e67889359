// Turns a skin package back into a skin script with its bitmaps and waves.
#include "kubrix_skin/skin_unpacker.h"

#include "core/base/atomic_file.h"
#include "core/formats/bmp_writer.h"
#include "core/formats/packed_image.h"
#include "core/skin/skin_script.h"
#include "core/skin/skin_script_compiler.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <sstream>
#include <utility>

namespace kubrix {

namespace {

constexpr std::string_view kUnpackedName = "Unpacked.KBS";

// Unpacked files are named after their slots: "gameover.wav", "texture.bmp".
std::string fileFor(std::string_view slotName, std::string_view extension)
{
    std::string name;
    for (const char c : slotName)
        name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name + std::string(extension);
}

// A control character in a script value could end the line and start a statement of the
// author's choosing (a SAVETO out of the folder, say): they are all left out.
std::string scriptSafe(std::string_view text)
{
    std::string safe;
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F)
            safe += c;
    return safe;
}

// A script value is trimmed and ends at the line, and the compiler always writes text + NUL.
bool infoReproducible(const SkinPackage& package, int index)
{
    const auto slot = package.slotBytes(SkinPackage::slotOf(SlotGroup::Info, index));
    const std::string text = package.infoText(index);
    return slot.size() == text.size() + 1 && scriptSafe(text) == text &&
           (text.empty() || (text.front() != ' ' && text.back() != ' '));
}

// The package's own file name, unless it has characters a SAVETO line cannot carry.
std::string saveToFor(const SkinPackage& package, std::ostream& warnings)
{
    const std::string name = std::filesystem::path(package.path()).filename().string();
    const std::string safe = scriptSafe(name);
    if (safe.empty() || safe != name || safe.front() == ' ' || safe.back() == ' ' ||
        safe.find('\\') != std::string::npos || !namesSkinPackage(name)) {
        if (!name.empty())
            warnings << "the package's file name cannot be written in a script; SAVETO names "
                     << kUnpackedName << "\n";
        return std::string(kUnpackedName);
    }
    return name;
}

bool writeText(const std::filesystem::path& path, const std::string& text)
{
    return writeFileAtomically(
        path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
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
    script << "SAVETO = " << saveToFor(package, warnings) << "\n";
    for (int i = 0; i < SkinPackage::kInfoSlots; ++i) {
        if (!infoReproducible(package, i))
            warnings << "info " << kInfoIndexNames[std::size_t(i)]
                     << " cannot be written exactly in a script\n";
        script << "INFO[" << kInfoIndexNames[std::size_t(i)]
               << "] = " << scriptSafe(package.infoText(i)) << "\n";
    }
    bool ok = true;
    for (int i = 0; i < SkinPackage::kSoundSlots; ++i) {
        const auto bytes = package.soundBytes(i);
        if (bytes.empty())
            continue;
        const std::string file = fileFor(kSoundIndexNames[std::size_t(i)], ".wav");
        script << "SOUND[" << kSoundIndexNames[std::size_t(i)] << "] = " << file << "\n";
        ok = writeFileAtomically(folder / file, bytes) && ok;
    }
    for (int i = 0; i < SkinPackage::kImageSlots; ++i)
        ok = writeImage(package, i, folder, script, warnings) && ok;
    return writeText(folder / "skin.txt", script.str()) && ok;
}

} // namespace kubrix
