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
#include <utility>

namespace kubrix {

namespace {

constexpr std::string_view kCaption = "Kubrix";
constexpr std::string_view kBadSaveTo =
    "Invalid SAVETO file name line %d. Give the package a plain file name ending in .KBS, "
    "without a folder, that is not a link and not the script itself.";
constexpr std::string_view kTooLarge =
    "The skin is too large: a skin package may hold at most 32 MB.  Import Cancelled.";

// The sixteen texts a script sets, and for the files the line that named them last.
struct ScriptValues {
    std::string saveTo;
    int saveToLine = 0;
    std::array<std::string, SkinPackage::kInfoSlots> info;
    std::array<std::string, SkinPackage::kSoundSlots> sounds;
    std::array<int, SkinPackage::kSoundSlots> soundLines{};
    std::array<std::string, SkinPackage::kImageSlots> images;
    std::array<int, SkinPackage::kImageSlots> imageLines{};
};

// Keeps what the bitmap reader says instead of showing it, so that it can become the reason
// given for a refused file.
class KeptMessages final : public Messages {
public:
    MessageAnswer show(std::string_view text, std::string_view, MessageIcon,
                       MessageButtons) override
    {
        if (kept_.empty())
            kept_ = text;
        return MessageAnswer::Ok;
    }
    // The first text since the last call, on one line.
    std::string take()
    {
        std::string text = std::exchange(kept_, {});
        std::replace(text.begin(), text.end(), '\n', ' ');
        return text;
    }

private:
    std::string kept_;
};

// One compile. The game's stops at the first fault and shows the reader's messages as they
// come; an author's looks on and keeps every fault with its line.
class CompileRun {
public:
    CompileRun(Messages& messages, bool forAuthor)
        : forAuthor_(forAuthor), messages_(forAuthor ? kept_ : messages)
    {
    }

    // Records a fault: the first one's game text is the run's error. True when the run goes on.
    bool fail(int line, std::string gameText, std::string authorText)
    {
        if (error.empty())
            error = std::move(gameText);
        if (forAuthor_)
            problems.push_back({line, std::move(authorText), false});
        return forAuthor_;
    }
    void warn(int line, std::string text)
    {
        if (forAuthor_)
            problems.push_back({line, std::move(text), true});
    }
    bool failed() const { return !error.empty(); }
    bool forAuthor() const { return forAuthor_; }
    // Where the bitmap reader's messages go; in an author's run, its first complaint since
    // the last call.
    Messages& messages() { return messages_; }
    std::string readerReason() { return kept_.take(); }

    std::string error;
    std::vector<SkinProblem> problems;

private:
    bool forAuthor_;
    KeptMessages kept_;
    Messages& messages_;
};

// Windows editors may open a UTF-8 script with a byte-order mark; it is no part of line 1.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string whyNotRead(ReadFileError error)
{
    switch (error) {
    case ReadFileError::NotFound:
        return "no such file";
    case ReadFileError::NotRegular:
        return "not a regular file";
    case ReadFileError::TooLarge:
        return "too large";
    case ReadFileError::None:
    case ReadFileError::IoError:
        break;
    }
    return "cannot be read";
}

// False when the script itself cannot be read, so that nothing else is worth looking at.
bool readScript(const std::filesystem::path& scriptPath, ScriptValues& values, CompileRun& run)
{
    const FileBytes file = readFile(scriptPath, kMaxScriptBytes);
    if (!file.ok()) {
        run.fail(0, "Could not open file " + scriptPath.string() + ".", whyNotRead(file.error));
        return false;
    }
    std::string text(file.bytes.begin(), file.bytes.end());
    if (text.starts_with(kByteOrderMark))
        text.erase(0, kByteOrderMark.size());
    std::istringstream script(std::move(text));
    int line = 0;
    for (;;) {
        ScriptStep step = readStatement(script, line);
        if (step.kind == ScriptStep::Kind::End)
            return true;
        if (step.kind == ScriptStep::Kind::Error) {
            if (!run.fail(line, step.error, step.detail))
                return true;
            continue;
        }
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
            values.soundLines[at] = line;
            break;
        case ScriptVariable::Image:
            values.images[at] = s.value;
            values.imageLines[at] = line;
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

// The package goes into the skin folder and nowhere else: a plain name (no folder, no "..",
// no NUL that would cut the name short), not a link that could lead out of the folder, and
// not the script being compiled. An empty name is left to fail at saving, as it always has.
void confineSaveTo(const ScriptValues& values, const std::filesystem::path& skinFolder,
                   const std::filesystem::path& scriptPath, CompileRun& run)
{
    const std::string& name = values.saveTo;
    if (name.empty())
        return;
    const std::filesystem::path target = skinFolder / name;
    std::error_code error;
    // Saved games share the skin folder; only a skin package's own name keeps them safe, and
    // only packages show in the skin manager.
    const bool plain = name.find_first_of(std::string_view("/\\\0", 3)) == std::string::npos &&
                       name != "." && name != ".." && namesSkinPackage(name);
    if (!plain || std::filesystem::is_symlink(std::filesystem::symlink_status(target, error)) ||
        std::filesystem::equivalent(target, scriptPath, error))
        run.fail(values.saveToLine, withLine(kBadSaveTo, values.saveToLine),
                 "SAVETO " + name +
                     ": give a plain file name in the skin folder, not a folder, a link or the "
                     "script itself");
}

// A package over the size any reader takes ends the run: nothing further is worth loading.
bool tooLarge(const SkinPackage& package, int line, CompileRun& run)
{
    if (package.dataEnd() <= SkinPackage::kMaxPackageBytes)
        return false;
    run.fail(line, std::string(kTooLarge), "the package would be over 32 MB");
    return true;
}

void loadSounds(const ScriptValues& values, const std::filesystem::path& folder,
                SkinPackage& package, CompileRun& run)
{
    for (int id = 0; id < SkinPackage::kSoundSlots; ++id) {
        const auto at = static_cast<std::size_t>(id);
        const std::string& name = values.sounds[at];
        if (name.empty())
            continue;
        const int line = values.soundLines[at];
        const std::string what = "SOUND[" + std::string(kSoundIndexNames[at]) + "] " + name + ": ";
        const FileBytes file =
            endsWithWav(name) ? readFile(folder / name, kMaxWaveFileBytes) : FileBytes{};
        if (!endsWithWav(name) || !file.ok()) {
            const std::string why =
                endsWithWav(name) ? whyNotRead(file.error) : "the file name must end in .wav";
            if (!run.fail(line,
                          "Problem Reading Sound File " + name +
                              ".  Is it a valid .WAV file?  Import Cancelled.",
                          what + why))
                return;
            continue;
        }
        WaveReader reader;
        if (reader.open(file.bytes.data(), file.bytes.size()) != WaveStatus::Ok)
            run.warn(line, what + "not a wave file the game can play; the slot stays silent");
        package.setSoundBytes(id, file.bytes);
        if (tooLarge(package, line, run))
            return;
    }
}

void loadImages(const ScriptValues& values, const std::filesystem::path& folder,
                SkinPackage& package, CompileRun& run)
{
    for (int slot = 0; slot < SkinPackage::kImageSlots; ++slot) {
        const auto at = static_cast<std::size_t>(slot);
        const std::string& name = values.images[at];
        if (name.empty())
            continue;
        const int line = values.imageLines[at];
        const std::string what = "IMAGE[" + std::string(kImageIndexNames[at]) + "] ";
        const std::filesystem::path path = folder / name;
        RgbaImage image;
        const bool loaded =
            loadBmp(path.string(), RequireSquarePow2, image, run.messages(), nullptr);
        std::string why = run.readerReason();
        // The mask is tried whether or not the image loaded, so its messages may show too.
        const std::filesystem::path maskPath = maskPathFor(path);
        RgbaImage mask;
        const bool masked =
            loadBmp(maskPath.string(), RequireSquarePow2 | MaskOnly, mask, run.messages(), nullptr);
        std::string maskWhy = run.readerReason();
        if (masked && loaded && !copyAlphaFrom(image, mask))
            maskWhy = "it is not the image's size";
        if (loaded && !maskWhy.empty())
            run.warn(line, what + name + ": the mask " + maskPath.filename().string() +
                               " is left out, so the image is opaque: " + maskWhy);
        if (!loaded) {
            if (!run.forAuthor())
                run.messages().show("Could not open bitmap file " + name + ".", kCaption,
                                    MessageIcon::Warning, MessageButtons::Ok);
            std::error_code error;
            if (why.empty())
                why = std::filesystem::exists(path, error) ? "cannot be read" : "no such file";
            if (!run.fail(line, "Problem Reading Image File " + name + ".  Import Cancelled.",
                          what + name + ": " + why))
                return;
            continue;
        }
        package.setImageRecord(slot, pack(image));
        if (tooLarge(package, line, run))
            return;
    }
}

SkinBuild build(const std::filesystem::path& scriptPath, const std::filesystem::path& skinFolder,
                CompileRun& run)
{
    SkinBuild build;
    ScriptValues values;
    SkinPackage package;
    const std::filesystem::path folder = scriptPath.parent_path();
    const bool lookOn = readScript(scriptPath, values, run) && run.forAuthor();
    build.saveTo = values.saveTo;
    if (!run.failed() || lookOn)
        confineSaveTo(values, skinFolder, scriptPath, run);
    if (!run.failed() || lookOn)
        loadSounds(values, folder, package, run);
    if ((!run.failed() || lookOn) && package.dataEnd() <= SkinPackage::kMaxPackageBytes)
        loadImages(values, folder, package, run);
    for (int i = 0; i < SkinPackage::kInfoSlots; ++i)
        package.setInfoText(i, values.info[static_cast<std::size_t>(i)]);
    const std::string saveFailure = "Problem Saving Skin file " + values.saveTo +
                                    ".  Does the file already exist and is read-only?  Is the "
                                    "path correct?  Import Cancelled.";
    if (values.saveTo.empty() && lookOn)
        run.fail(0, saveFailure, "no SAVETO line names the package to write");
    if (!run.failed() && !package.savePackage((skinFolder / values.saveTo).string()))
        run.fail(values.saveToLine, saveFailure,
                 "SAVETO: cannot write " + (skinFolder / values.saveTo).string());
    if (!run.failed()) {
        package.setPath(scriptPath.string());
        build.package = std::move(package);
    }
    build.error = std::move(run.error);
    build.problems = std::move(run.problems);
    // Faults of the whole script, with no line, come last.
    std::stable_sort(build.problems.begin(), build.problems.end(),
                     [](const SkinProblem& a, const SkinProblem& b) {
                         return unsigned(a.line - 1) < unsigned(b.line - 1);
                     });
    return build;
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
    CompileRun run(messages, false);
    return build(scriptPath, skinFolder, run);
}

SkinBuild checkSkinScript(const std::filesystem::path& scriptPath,
                          const std::filesystem::path& skinFolder)
{
    KeptMessages unused;
    CompileRun run(unused, true);
    return build(scriptPath, skinFolder, run);
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
