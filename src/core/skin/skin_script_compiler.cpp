// Builds a skin package from a skin script.
#include "core/skin/skin_script_compiler.h"

#include "core/base/read_file.h"
#include "core/formats/bmp_reader.h"
#include "core/formats/packed_image.h"
#include "core/formats/wave_reader.h"
#include "core/skin/skin_script.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <sstream>
#include <system_error>

namespace kubrix {

namespace {

constexpr std::string_view kCaption = "Kubrix";
constexpr std::string_view kBadSaveTo =
    "Invalid SAVETO file name line %d. Give the package a plain file name, without a folder, "
    "that is not a link and not the script itself.";
constexpr std::string_view kTooLarge =
    "The skin is too large: a skin package may hold at most 32 MB.  Import Cancelled.";

// The sixteen texts a script sets, and the line of the SAVETO that counts.
struct ScriptValues {
    std::string saveTo;
    int saveToLine = 0;
    std::array<std::string, SkinPackage::kInfoSlots> info;
    std::array<std::string, SkinPackage::kSoundSlots> sounds;
    std::array<std::string, SkinPackage::kImageSlots> images;
};

// Windows editors may open a UTF-8 script with a byte-order mark; it is no part of line 1.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string readScript(const std::filesystem::path& scriptPath, ScriptValues& values)
{
    const FileBytes file = readFile(scriptPath, kMaxScriptBytes);
    if (!file.ok())
        return "Could not open file " + scriptPath.string() + ".";
    std::string text(file.bytes.begin(), file.bytes.end());
    if (text.starts_with(kByteOrderMark))
        text.erase(0, kByteOrderMark.size());
    std::istringstream script(std::move(text));
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
            values.saveToLine = line;
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

// The package goes into the skin folder and nowhere else: a plain name (no folder, no "..",
// no NUL that would cut the name short), not a link that could lead out of the folder, and
// not the script being compiled. An empty name is left to fail at saving, as it always has.
std::string confineSaveTo(const ScriptValues& values, const std::filesystem::path& skinFolder,
                          const std::filesystem::path& scriptPath)
{
    const std::string& name = values.saveTo;
    if (name.empty())
        return {};
    const std::filesystem::path target = skinFolder / name;
    std::error_code error;
    const bool plain = name.find_first_of(std::string_view("/\\\0", 3)) == std::string::npos &&
                       name != "." && name != "..";
    if (!plain || std::filesystem::is_symlink(std::filesystem::symlink_status(target, error)) ||
        std::filesystem::equivalent(target, scriptPath, error))
        return withLine(kBadSaveTo, values.saveToLine);
    return {};
}

bool tooLarge(const SkinPackage& package)
{
    return package.dataEnd() > SkinPackage::kMaxPackageBytes;
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

std::string loadSounds(const ScriptValues& values, const std::filesystem::path& folder,
                       SkinPackage& package)
{
    for (int id = 0; id < SkinPackage::kSoundSlots; ++id) {
        const std::string& name = values.sounds[static_cast<std::size_t>(id)];
        if (name.empty())
            continue;
        const std::string failure =
            "Problem Reading Sound File " + name + ".  Is it a valid .WAV file?  Import Cancelled.";
        if (!endsWithWav(name))
            return failure;
        const FileBytes file = readFile(folder / name, kMaxWaveFileBytes);
        if (!file.ok())
            return failure;
        package.setSoundBytes(id, file.bytes);
        if (tooLarge(package))
            return std::string(kTooLarge);
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
        if (tooLarge(package))
            return std::string(kTooLarge);
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
        build.error = confineSaveTo(values, skinFolder, scriptPath);
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
