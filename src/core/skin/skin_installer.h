// Makes a freshly compiled skin current: applied in the store, shown, remembered in the settings.
#pragma once

#include "core/base/settings_store.h"
#include "core/skin/skin_script_compiler.h"
#include "core/skin/skin_store.h"

#include <functional>

namespace kubrix {

class SkinInstaller final : public SkinApplier {
public:
    // afterApply refreshes whatever shows or plays the skin (the scene, the sounds).
    SkinInstaller(SkinStore& store, SettingsStore& settings, std::function<void()> afterApply);
    void applyCompiledSkin(const SkinPackage& package, const std::string& saveTo) override;

private:
    SkinStore& store_;
    SettingsStore& settings_;
    std::function<void()> afterApply_;
};

} // namespace kubrix
