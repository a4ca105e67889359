// Builds a skin package from a skin script and the sound and bitmap files it names.
#pragma once

#include "core/base/messages.h"
#include "core/formats/skin_package.h"

#include <filesystem>
#include <optional>
#include <string>

namespace kubrix {

class ImageResampler;

// What a successful compile does with its package: make it current, refresh the scene and the
// sounds, and remember it in the settings. The command-line tool has none of this.
class SkinApplier {
public:
    virtual ~SkinApplier() = default;
    virtual void applyCompiledSkin(const SkinPackage& package, const std::string& saveTo) = 0;
};

struct SkinBuild {
    std::optional<SkinPackage> package; // saved, with its path set to the script's path
    std::string saveTo;                 // the SAVETO name as written
    std::string error;                  // empty on success
};

// Reads the script, loads every file it names (relative to the script's folder), and saves
// the package under SAVETO in the skin folder. SAVETO must be a plain file name there: a
// folder, "..", a NUL, a link or the script's own file is refused, naming the script line.
// A package over SkinPackage::kMaxPackageBytes is refused before it is saved. The bitmap
// reader's own messages go through messages as they happen; the compile error, if any, is
// returned, not shown.
SkinBuild buildSkinPackage(const std::filesystem::path& scriptPath,
                           const std::filesystem::path& skinFolder, Messages& messages);

// The whole import: build, then apply through applier on success, or show the one error.
bool compileSkinScript(const std::filesystem::path& scriptPath,
                       const std::filesystem::path& skinFolder, Messages& messages,
                       SkinApplier& applier);

// The mask that goes with an image file: every "." of the file's own name becomes "_.".
std::filesystem::path maskPathFor(const std::filesystem::path& image);

} // namespace kubrix
