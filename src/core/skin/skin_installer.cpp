// Makes a freshly compiled skin current.
#include "core/skin/skin_installer.h"

#include "core/base/settings_table.h"

namespace kubrix {

SkinInstaller::SkinInstaller(SkinStore& store, SettingsStore& settings,
                             std::function<void()> afterApply)
    : store_(store), settings_(settings), afterApply_(std::move(afterApply))
{
}

void SkinInstaller::applyCompiledSkin(const SkinPackage& package, const std::string& saveTo)
{
    store_.applySkin(package);
    if (afterApply_)
        afterApply_();
    settings::write(settings_, settings::skinPackage, saveTo);
}

} // namespace kubrix
