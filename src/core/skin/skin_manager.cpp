// The skin manager's rules.
#include "core/skin/skin_manager.h"

#include "core/base/settings_table.h"
#include "core/skin/skin_script_compiler.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace kubrix {

namespace {

// The info popup cuts its texts at the same length.
constexpr std::size_t kMaxSkinNameChars = 512;

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Directories, FIFOs and devices are never packages, whatever their names.
bool isPackageFile(const std::filesystem::directory_entry& entry)
{
    std::error_code error;
    return entry.is_regular_file(error) && namesSkinPackage(entry.path().filename().string());
}

} // namespace

SkinManager::SkinManager(SkinStore& store, SettingsStore& settings, Messages& messages,
                         std::function<void()> skinChanged)
    : store_(store), settings_(settings), messages_(messages), skinChanged_(std::move(skinChanged)),
      installer_(store, settings, skinChanged_)
{
}

std::vector<SkinEntry> SkinManager::installedSkins() const
{
    std::vector<SkinEntry> entries{{{}, std::string(kDefaultSkinName)}};
    // A folder that cannot be read lists the built-in skin alone.
    std::error_code error;
    for (std::filesystem::directory_iterator file(store_.skinFolder(), error), end;
         !error && file != end; file.increment(error)) {
        if (!isPackageFile(*file))
            continue;
        std::string name = SkinStore::packageName(file->path().string());
        // A name of megabytes would stall the list that shows it.
        name.resize(std::min(name.size(), kMaxSkinNameChars));
        if (!name.empty())
            entries.push_back({file->path().filename().string(), std::move(name)});
    }
    std::sort(entries.begin(), entries.end(), [](const SkinEntry& a, const SkinEntry& b) {
        const std::string left = lowered(a.skinName);
        const std::string right = lowered(b.skinName);
        return left != right ? left < right : a.fileName < b.fileName;
    });
    return entries;
}

std::ptrdiff_t SkinManager::find(const std::vector<SkinEntry>& entries, const std::string& fileName)
{
    if (fileName.empty())
        return -1;
    for (auto i = static_cast<std::ptrdiff_t>(entries.size()) - 1; i >= 0; --i)
        if (entries[static_cast<std::size_t>(i)].fileName == fileName)
            return i;
    return -1;
}

bool SkinManager::differsFromCurrent(const SkinEntry& selection)
{
    return selection.fileName != store_.currentSkin().path();
}

void SkinManager::apply(const SkinEntry& selection)
{
    if (selection.isDefault()) {
        store_.revertToDefault();
        settings::write(settings_, settings::skinPackage, "");
        skinChanged_();
        return;
    }
    auto package = SkinPackage::loadPackage((store_.skinFolder() / selection.fileName).string());
    if (!package) {
        messages_.show("The specified skin could not be loaded.", "Error", MessageIcon::Error,
                       MessageButtons::Ok);
        return;
    }
    // Recorded by its name in the folder, as the store records the one applied at start-up.
    package->setPath(selection.fileName);
    installer_.applyCompiledSkin(*package, selection.fileName);
}

bool SkinManager::remove(const SkinEntry& selection)
{
    if (selection.isDefault())
        return false;
    const std::string question =
        "This will permanently delete " + selection.fileName + ". Are you sure?";
    if (messages_.show(question, "Warning", MessageIcon::Warning, MessageButtons::YesNo) !=
        MessageAnswer::Yes)
        return false;
    std::error_code error;
    if (!std::filesystem::remove(store_.skinFolder() / selection.fileName, error))
        messages_.show("The specified file is locked or has been removed and cannot be deleted.",
                       "ERROR", MessageIcon::Error, MessageButtons::Ok);
    return true;
}

void SkinManager::import(const std::filesystem::path& script)
{
    compileSkinScript(script, store_.skinFolder(), messages_, installer_);
}

} // namespace kubrix
