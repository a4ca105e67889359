// The default and applied skins, and installing a freshly compiled one.
#include "core/base/memory_settings_store.h"
#include "core/skin/skin_installer.h"
#include "core/skin/skin_store.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace kubrix {
namespace {

class RecordingPresenter final : public SkinInfoPresenter {
public:
    void showSkinInfo(const SkinPackage& package) override { shown.push_back(package.infoText(3)); }
    std::vector<std::string> shown;
};

std::vector<std::uint8_t> packageBytes(const std::string& name)
{
    SkinPackage package;
    package.setInfoText(3, name);
    test::TempFolder folder;
    package.savePackage((folder / "p.KBS").string());
    std::ifstream in(folder / "p.KBS", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class SkinStoreTest : public ::testing::Test {
protected:
    std::vector<std::uint8_t> builtIn = packageBytes("Kubrix");
    MemorySettingsStore settings;
    test::TempFolder skins;
    RecordingPresenter presenter;
    SkinStore store{builtIn, settings, skins.path(), presenter};
};

TEST_F(SkinStoreTest, WithoutAStoredSkinTheBuiltInOneIsCurrent)
{
    EXPECT_FALSE(store.isCustomSkinApplied());
    EXPECT_EQ(store.currentSkin().infoText(3), "Kubrix");
    EXPECT_EQ(store.currentSkin().path(), "");
    EXPECT_EQ(&store.currentSkin(), &store.defaultSkin());
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(SkinStoreTest, TheStoredSkinIsAppliedAtFirstUseWithItsPopup)
{
    skins.write("ocean.KBS", packageBytes("Ocean"));
    settings.writeText("Startup", "Skin4", "ocean.KBS");
    EXPECT_TRUE(store.isCustomSkinApplied());
    EXPECT_EQ(store.currentSkin().infoText(3), "Ocean");
    EXPECT_EQ(store.currentSkin().path(), "ocean.KBS");
    EXPECT_EQ(store.defaultSkin().infoText(3), "Kubrix");
    EXPECT_EQ(presenter.shown, std::vector<std::string>{"Ocean"});
    store.currentSkin();
    EXPECT_EQ(presenter.shown.size(), 1U) << "only the first use applies it";
}

TEST_F(SkinStoreTest, AStoredSkinThatDoesNotLoadIsIgnored)
{
    skins.write("broken.KBS", "not a package");
    settings.writeText("Startup", "Skin4", "broken.KBS");
    EXPECT_FALSE(store.isCustomSkinApplied());
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(SkinStoreTest, ApplyKeepsACopyAndRevertReturnsToTheDefault)
{
    SkinPackage mine;
    mine.setInfoText(3, "Mine");
    store.applySkin(mine);
    mine.setInfoText(3, "Changed afterwards");
    EXPECT_EQ(store.currentSkin().infoText(3), "Mine");
    EXPECT_TRUE(store.isCustomSkinApplied());
    store.revertToDefault();
    EXPECT_FALSE(store.isCustomSkinApplied());
    EXPECT_EQ(store.currentSkin().infoText(3), "Kubrix");
    store.applySkin(mine);
    store.releaseSkins();
    EXPECT_FALSE(store.isCustomSkinApplied());
}

TEST_F(SkinStoreTest, PackageNamesAndTheInstaller)
{
    skins.write("sea.KBS", packageBytes("Sea"));
    skins.write("junk.KBS", "junk");
    EXPECT_EQ(SkinStore::packageName((skins / "sea.KBS").string()), "Sea");
    EXPECT_EQ(SkinStore::packageName((skins / "junk.KBS").string()), "");

    int refreshes = 0;
    SkinInstaller installer(store, settings, [&] { ++refreshes; });
    SkinPackage compiled;
    compiled.setInfoText(3, "Fresh");
    installer.applyCompiledSkin(compiled, "Fresh.KBS");
    EXPECT_EQ(store.currentSkin().infoText(3), "Fresh");
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(settings.readText("Startup", "Skin4", ""), "Fresh.KBS");
    EXPECT_EQ(presenter.shown.back(), "Fresh");
}

TEST(SkinStoreBuiltIn, ADamagedBuiltInPackageLeavesAnEmptySkin)
{
    const std::vector<std::uint8_t> damaged{104, 0, 1, 2};
    MemorySettingsStore settings;
    RecordingPresenter presenter;
    SkinStore store(damaged, settings, ".", presenter);
    EXPECT_EQ(store.currentSkin().infoText(3), "");
    EXPECT_EQ(store.currentSkin().slotSize(13), 0U);
}

} // namespace
} // namespace kubrix
