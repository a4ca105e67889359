// Builds a skin package from a skin script and the sound and bitmap files it names.
#pragma once

#include "core/base/messages.h"
#include "core/formats/skin_package.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kubrix {

class ImageResampler;

// What a successful compile does with its package: make it current, refresh the scene and the
// sounds, and remember it in the settings. The command-line tool has none of this.
class SkinApplier {
public:
    virtual ~SkinApplier() = default;
    virtual void applyCompiledSkin(const SkinPackage& package, const std::string& saveTo) = 0;
};

// One fault of a script as its author is told it.
struct SkinProblem {
    int line = 0; // the script line at fault, from 1; 0 when no one line is
    std::string text;
    bool warning = false; // the package is still built
};

struct SkinBuild {
    std::optional<SkinPackage> package; // saved, with its path set to the script's path
    std::string saveTo;                 // the SAVETO name as written
    std::string error;                  // the game's one message; empty on success
    std::vector<SkinProblem> problems;  // by line; filled by checkSkinScript only
};

// Reads the script, loads every file it names (relative to the script's folder), and saves
// the package under SAVETO in the skin folder. SAVETO must be a plain file name there: a
// folder, "..", a NUL, a link or the script's own file is refused, naming the script line.
// A package over SkinPackage::kMaxPackageBytes is refused before it is saved. The bitmap
// reader's own messages go through messages as they happen; the compile error, if any, is
// returned, not shown.
SkinBuild buildSkinPackage(const std::filesystem::path& scriptPath,
                           const std::filesystem::path& skinFolder, Messages& messages);

// For skin authors: the same build, but it looks on past the first fault so that one run
// names every faulty line and file, and each refused file comes with the reader's reason in
// one problem. Nothing is shown; the package is saved only when no problem but warnings came.
SkinBuild checkSkinScript(const std::filesystem::path& scriptPath,
                          const std::filesystem::path& skinFolder);

// The whole import: build, then apply through applier on success, or show the one error.
bool compileSkinScript(const std::filesystem::path& scriptPath,
                       const std::filesystem::path& skinFolder, Messages& messages,
                       SkinApplier& applier);

// The mask that goes with an image file: every "." of the file's own name becomes "_.".
std::filesystem::path maskPathFor(const std::filesystem::path& image);

} // namespace kubrix
