// Builds a skin package from a skin script.
#include "core/skin/skin_script_compiler.h"

#include "core/formats/bmp_reader.h"
#include "core/formats/packed_image.h"
#include "core/skin/skin_script.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>

namespace kubrix {

namespace {

constexpr std::string_view kCaption = "Kubrix";

// The sixteen texts a script sets.
struct ScriptValues {
    std::string saveTo;
    std::array<std::string, SkinPackage::kInfoSlots> info;
    std::array<std::string, SkinPackage::kSoundSlots> sounds;
    std::array<std::string, SkinPackage::kImageSlots> images;
};

std::string readScript(const std::filesystem::path& scriptPath, ScriptValues& values)
{
    std::ifstream script(scriptPath, std::ios::binary);
    if (!script)
        return "Could not open file " + scriptPath.string() + ".";
    int line = 0;
    for (;;) {
        ScriptStep step = readStatement(script, line);
        if (step.kind == ScriptStep::Kind::End)
            return {};
        if (step.kind == ScriptStep::Kind::Error)
            return step.error;
        const ScriptStatement& s = step.statement;
        const auto at = static_cast<std::size_t>(s.index);
        switch (s.variable) {
        case ScriptVariable::SaveTo:
            values.saveTo = s.value;
            break;
        case ScriptVariable::Info:
            values.info[at] = s.value;
            break;
        case ScriptVariable::Sound:
            values.sounds[at] = s.value;
            break;
        case ScriptVariable::Image:
            values.images[at] = s.value;
            break;
        }
    }
}

bool endsWithWav(const std::string& name)
{
    if (name.size() < 4)
        return false;
    std::string tail = name.substr(name.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return tail == ".wav";
}

bool readWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    // A slot size is 32 bits; a file beyond that cannot be stored.
    return !file.bad() && bytes.size() < std::numeric_limits<std::uint32_t>::max() / 2;
}

std::string loadSounds(const ScriptValues& values, const std::filesystem::path& folder,
                       SkinPackage& package)
{
    for (int id = 0; id < SkinPackage::kSoundSlots; ++id) {
        const std::string& name = values.sounds[static_cast<std::size_t>(id)];
        if (name.empty())
            continue;
        std::vector<std::uint8_t> bytes;
        if (!endsWithWav(name) || !readWholeFile(folder / name, bytes))
            return "Problem Reading Sound File " + name +
                   ".  Is it a valid .WAV file?  Import "
                   "Cancelled.";
        package.setSoundBytes(id, bytes);
    }
    return {};
}

std::string loadImages(const ScriptValues& values, const std::filesystem::path& folder,
                       SkinPackage& package, Messages& messages)
{
    for (int slot = 0; slot < SkinPackage::kImageSlots; ++slot) {
        const std::string& name = values.images[static_cast<std::size_t>(slot)];
        if (name.empty())
            continue;
        const std::filesystem::path path = folder / name;
        RgbaImage image;
        const bool loaded = loadBmp(path.string(), RequireSquarePow2, image, messages, nullptr);
        // The mask is tried whether or not the image loaded, so its messages may show too.
        RgbaImage mask;
        if (loadBmp(maskPathFor(path).string(), RequireSquarePow2 | MaskOnly, mask, messages,
                    nullptr) &&
            loaded)
            copyAlphaFrom(image, mask);
        if (!loaded) {
            const std::string text = "Could not open bitmap file " + name + ".";
            messages.show(text, kCaption, MessageIcon::Warning, MessageButtons::Ok);
            return "Problem Reading Image File " + name + ".  Import Cancelled.";
        }
        package.setImageRecord(slot, pack(image));
    }
    return {};
}

} // namespace

std::filesystem::path maskPathFor(const std::filesystem::path& image)
{
    // Only the file's own name: a dot in a folder name ("../art") must not move the mask.
    std::string name = image.filename().string();
    std::string masked;
    for (const char c : name) {
        if (c == '.')
            masked += "_.";
        else
            masked += c;
    }
    return image.parent_path() / masked;
}

SkinBuild buildSkinPackage(const std::filesystem::path& scriptPath,
                           const std::filesystem::path& skinFolder, Messages& messages)
{
    SkinBuild build;
    ScriptValues values;
    SkinPackage package;
    const std::filesystem::path folder = scriptPath.parent_path();
    build.error = readScript(scriptPath, values);
    build.saveTo = values.saveTo;
    if (build.error.empty())
        build.error = loadSounds(values, folder, package);
    if (build.error.empty())
        build.error = loadImages(values, folder, package, messages);
    for (int i = 0; i < SkinPackage::kInfoSlots; ++i)
        package.setInfoText(i, values.info[static_cast<std::size_t>(i)]);
    if (build.error.empty() && !package.savePackage((skinFolder / values.saveTo).string()))
        build.error = "Problem Saving Skin file " + values.saveTo +
                      ".  Does the file already exist and is read-only?  Is the path correct?  "
                      "Import Cancelled.";
    if (build.error.empty()) {
        package.setPath(scriptPath.string());
        build.package = std::move(package);
    }
    return build;
}

bool compileSkinScript(const std::filesystem::path& scriptPath,
                       const std::filesystem::path& skinFolder, Messages& messages,
                       SkinApplier& applier)
{
    const SkinBuild build = buildSkinPackage(scriptPath, skinFolder, messages);
    if (!build.error.empty()) {
        messages.show(build.error, kCaption, MessageIcon::Warning, MessageButtons::Ok);
        return false;
    }
    applier.applyCompiledSkin(*build.package, build.saveTo);
    return true;
}

} // namespace kubrix
