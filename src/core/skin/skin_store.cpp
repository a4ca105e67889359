// The holder of the default and the applied skin.
#include "core/skin/skin_store.h"

#include "core/base/settings_table.h"

namespace kubrix {

namespace {
constexpr int kInfoName = 3;
} // namespace

SkinStore::SkinStore(std::span<const std::uint8_t> builtIn, const SettingsStore& settings,
                     std::filesystem::path skinFolder, SkinInfoPresenter& presenter)
    : builtIn_(builtIn), settings_(settings), skinFolder_(std::move(skinFolder)),
      presenter_(presenter)
{
}

const SkinPackage& SkinStore::defaultSkin()
{
    if (default_)
        return *default_;
    // A damaged built-in package would be a build fault; the game still runs, without art.
    default_ = SkinPackage::fromBuiltIn(builtIn_);
    if (!default_)
        default_.emplace();
    default_->setPath({});
    const std::string stored = settings::read(settings_, settings::skinPackage);
    if (!stored.empty()) {
        if (auto package = SkinPackage::loadPackage((skinFolder_ / stored).string())) {
            // Recorded as stored, so the skin manager recognises it by its file name.
            package->setPath(stored);
            applySkin(*package);
        }
    }
    return *default_;
}

const SkinPackage& SkinStore::currentSkin()
{
    const SkinPackage& fallback = defaultSkin();
    return applied_ ? *applied_ : fallback;
}

bool SkinStore::isCustomSkinApplied()
{
    defaultSkin();
    return applied_.has_value();
}

void SkinStore::applySkin(const SkinPackage& package)
{
    applied_ = package;
    presenter_.showSkinInfo(*applied_);
}

void SkinStore::revertToDefault()
{
    applied_.reset();
}

void SkinStore::releaseSkins()
{
    applied_.reset();
    default_.reset();
}

std::string SkinStore::packageName(const std::string& path)
{
    const auto package = SkinPackage::loadPackage(path);
    return package ? package->infoText(kInfoName) : std::string();
}

} // namespace kubrix
