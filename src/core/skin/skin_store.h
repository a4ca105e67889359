// The holder of the built-in default skin and the applied skin; the current skin is one of them.
#pragma once

#include "core/base/settings_store.h"
#include "core/formats/skin_package.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace kubrix {

// Shows the skin's name, author and links for a few seconds whenever a package is applied.
class SkinInfoPresenter {
public:
    virtual ~SkinInfoPresenter() = default;
    virtual void showSkinInfo(const SkinPackage& package) = 0;
};

class SkinStore {
public:
    // skinFolder resolves the stored package name; the built-in bytes must outlive the store.
    SkinStore(std::span<const std::uint8_t> builtIn, const SettingsStore& settings,
              std::filesystem::path skinFolder, SkinInfoPresenter& presenter);

    // The first call builds the default skin and applies the package stored in "Skin4", if
    // that loads (a package that does not load is ignored silently).
    const SkinPackage& defaultSkin();
    const SkinPackage& currentSkin();
    bool isCustomSkinApplied();
    // Keeps a copy of the package as the applied skin and shows its information.
    void applySkin(const SkinPackage& package);
    void revertToDefault();
    void releaseSkins();

    const std::filesystem::path& skinFolder() const { return skinFolder_; }
    // The skin name of a package file, or empty when it does not load.
    static std::string packageName(const std::string& path);

private:
    std::span<const std::uint8_t> builtIn_;
    const SettingsStore& settings_;
    std::filesystem::path skinFolder_;
    SkinInfoPresenter& presenter_;
    std::optional<SkinPackage> default_;
    std::optional<SkinPackage> applied_;
};

} // namespace kubrix
