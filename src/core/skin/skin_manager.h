// What the skin manager does: lists the installed skins, applies one, removes and imports.
#pragma once

#include "core/base/messages.h"
#include "core/base/settings_store.h"
#include "core/skin/skin_installer.h"
#include "core/skin/skin_store.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace kubrix {

// One line of the list: an installed package, or the built-in skin (no file name).
struct SkinEntry {
    std::string fileName; // the name within the skin folder
    std::string skinName; // the package's INFO[NAME]
    bool isDefault() const { return fileName.empty(); }
};

class SkinManager {
public:
    static constexpr std::string_view kDefaultSkinName = "Default Skin";

    // skinChanged makes the scene and the sounds follow a change of the current skin.
    SkinManager(SkinStore& store, SettingsStore& settings, Messages& messages,
                std::function<void()> skinChanged);

    // "Default Skin" and every package of the skin folder whose name ends in ".KBS" in any case
    // and that loads with a name, sorted by name without regard to case; equal names keep the
    // default skin first, then go by file name.
    std::vector<SkinEntry> installedSkins() const;
    // The entry that bears the file name, searched from the last; none for an empty name.
    static std::ptrdiff_t find(const std::vector<SkinEntry>& entries, const std::string& fileName);

    // OK applies only a selection that is not the current skin (by its recorded path).
    bool differsFromCurrent(const SkinEntry& selection);
    // Makes the selection current (a package with its popup) and remembers it in "Skin4"; a
    // package that no longer loads is reported and changes nothing.
    void apply(const SkinEntry& selection);
    // Asks, then deletes the package file. True once the player agreed, whatever the deletion
    // did, so that the list is filled again; the current skin stays as it is.
    bool remove(const SkinEntry& selection);
    // Compiles the script into the skin folder and, when that worked, applies the new package.
    void import(const std::filesystem::path& script);

private:
    SkinStore& store_;
    SettingsStore& settings_;
    Messages& messages_;
    std::function<void()> skinChanged_;
    SkinInstaller installer_;
};

} // namespace kubrix
