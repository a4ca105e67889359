// The skin manager on the running program: real packages in a temporary data folder, the real
// dialog and file dialog, clicked as the player would.
#include "platform/ui/app_window_fixture.h"
#include "platform/ui/skin_manager_dialog.h"
#include "support/modal_answer.h"

#include <QFileDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace kubrix::test {
namespace {

class RecordingPopups final : public SkinInfoPresenter {
public:
    void showSkinInfo(const SkinPackage& package) override { shown.push_back(package.infoText(3)); }
    std::vector<std::string> shown;
};

class SkinManagerTest : public AppWindowTest {
protected:
    void SetUp() override
    {
        AppWindowTest::SetUp();
        skinInfo = &popups;
        start();
        ASSERT_TRUE(waitForFirstFrame());
        musicStarts = sound.musicStarts;
    }
    // The built-in skin under another name.
    void install(const std::string& file, const std::string& name)
    {
        SkinPackage package = context->skins().defaultSkin();
        package.setInfoText(3, name);
        ASSERT_TRUE(package.savePackage((data / file).string()));
    }
    // A manager over the program's own objects, shown without blocking the test.
    std::unique_ptr<SkinManagerDialog> open()
    {
        manager = std::make_unique<SkinManager>(context->skins(), store, messages,
                                                [this] { context->skinChanged(); });
        auto dialog = std::make_unique<SkinManagerDialog>(*manager, opener, messages, &frame());
        dialog->show();
        return dialog;
    }
    static QListWidget& list(QWidget& dialog)
    {
        return *dialog.findChild<QListWidget*>("skinList");
    }
    static QPushButton& button(QWidget& dialog, const char* name)
    {
        return *dialog.findChild<QPushButton*>(QString::fromLatin1(name));
    }
    static QStringList names(QWidget& dialog)
    {
        QStringList shown;
        for (int i = 0; i < list(dialog).count(); ++i)
            shown << list(dialog).item(i)->text();
        return shown;
    }
    static void select(QWidget& dialog, const QString& name)
    {
        list(dialog).setCurrentItem(list(dialog).findItems(name, Qt::MatchExactly).value(0));
    }
    static void click(QWidget& dialog, const char* name)
    {
        QTest::mouseClick(&button(dialog, name), Qt::LeftButton);
    }
    std::string skin4() { return store.readText("Startup", "Skin4", "(unset)"); }

    RecordingPopups popups;
    int musicStarts = 0; // after the first paint
    std::unique_ptr<SkinManager> manager;
};

TEST_F(SkinManagerTest, GameSkinsOpensItOnAnEmptyFolderWithTheDefaultSkinAlone)
{
    bool seen = false;
    ModalAnswer answer([&](QWidget& dialog) {
        seen = true;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Kubrix Skin Manager"));
        EXPECT_EQ(names(dialog), QStringList{"Default Skin"});
        EXPECT_FALSE(button(dialog, "remove").isEnabled());
        EXPECT_FALSE(button(dialog, "apply").isEnabled());
        select(dialog, "Default Skin");
        EXPECT_TRUE(button(dialog, "remove").isEnabled());
        EXPECT_TRUE(button(dialog, "apply").isEnabled());
        click(dialog, "ok");
    });
    choose("actionSkins");
    EXPECT_TRUE(seen);
    EXPECT_EQ(skin4(), "(unset)") << "OK on the current default skin applies nothing";
    EXPECT_EQ(sound.musicStarts, musicStarts);
}

TEST_F(SkinManagerTest, ListsEveryReadableNamedPackageSortedByName)
{
    install("ocean.KBS", "Ocean");
    install("aqua.kbs", "aqua");
    install("Twin.Kbs", "Ocean");
    install("blank.KBS", "");
    install("ocean.txt", "Text");
    install("bad.KBS", "Bad");
    std::fstream bad(data / "bad.KBS", std::ios::in | std::ios::out | std::ios::binary);
    bad.seekp(126);
    bad.put('\x7f'); // the checksum no longer matches
    bad.close();
    std::filesystem::create_directory(data / "folder.KBS");
    const auto dialog = open();
    EXPECT_EQ(names(*dialog), (QStringList{"aqua", "Default Skin", "Ocean", "Ocean"}));
}

TEST_F(SkinManagerTest, ApplyAppliesEveryTimeButOkOnlyWhenTheSelectionDiffers)
{
    install("ocean.KBS", "Ocean");
    const int uploads = context->textures().uploads();
    auto dialog = open();
    select(*dialog, "Ocean");
    click(*dialog, "apply");
    EXPECT_EQ(popups.shown, std::vector<std::string>{"Ocean"});
    EXPECT_EQ(skin4(), "ocean.KBS");
    EXPECT_TRUE(context->skins().isCustomSkinApplied());
    EXPECT_EQ(sound.musicStarts, musicStarts + 1) << "the new skin's music starts";
    EXPECT_TRUE(waitFor([&] { return context->textures().uploads() >= uploads + 2; }))
        << "the next frame takes the new textures";
    click(*dialog, "apply");
    EXPECT_EQ(popups.shown.size(), 2U);
    click(*dialog, "ok");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(popups.shown.size(), 2U) << "OK with the applied package changes nothing";

    dialog = open();
    select(*dialog, "Ocean");
    std::filesystem::resize_file(data / "ocean.KBS", 100);
    click(*dialog, "apply");
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"The specified skin could not be loaded."});
    select(*dialog, "Default Skin");
    click(*dialog, "ok");
    EXPECT_FALSE(context->skins().isCustomSkinApplied());
    EXPECT_EQ(skin4(), "");
    EXPECT_EQ(popups.shown.size(), 2U) << "the default skin has no popup";
}

TEST_F(SkinManagerTest, RemoveDeletesTheConfirmedPackageFromDiskAndList)
{
    install("ocean.KBS", "Ocean");
    install("aqua.KBS", "Aqua");
    const auto dialog = open();
    select(*dialog, "Aqua");
    messages.answers = {MessageAnswer::No, MessageAnswer::Yes};
    click(*dialog, "remove");
    EXPECT_TRUE(std::filesystem::exists(data / "aqua.KBS"));
    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_EQ(messages.shown[0].text, "This will permanently delete aqua.KBS. Are you sure?");
    EXPECT_EQ(messages.shown[0].caption, "Warning");
    click(*dialog, "remove");
    EXPECT_FALSE(std::filesystem::exists(data / "aqua.KBS"));
    EXPECT_EQ(names(*dialog), (QStringList{"Default Skin", "Ocean"}));
    EXPECT_FALSE(button(*dialog, "remove").isEnabled()) << "nothing is selected";

    select(*dialog, "Ocean");
    std::filesystem::remove(data / "ocean.KBS");
    messages.answers = {MessageAnswer::Yes};
    click(*dialog, "remove");
    EXPECT_EQ(messages.shown.back().text,
              "The specified file is locked or has been removed and cannot be deleted.");
    EXPECT_EQ(messages.shown.back().caption, "ERROR");
    EXPECT_EQ(names(*dialog), QStringList{"Default Skin"});
}

TEST_F(SkinManagerTest, ImportCompilesAppliesRemembersSaveToAndCloses)
{
    TempFolder scripts;
    scripts.write("ocean.txt", "SAVETO = Imported.KBS\nINFO[NAME] = Imported\n");
    const auto dialog = open();
    {
        ModalAnswer cancel([](QWidget& chooser) { qobject_cast<QDialog*>(&chooser)->reject(); });
        click(*dialog, "import");
        EXPECT_TRUE(cancel.answered());
    }
    EXPECT_TRUE(dialog->isVisible()) << "a cancelled import leaves the manager open";
    QStringList filters;
    ModalAnswer pick([&](QWidget& widget) {
        auto* chooser = qobject_cast<QFileDialog*>(&widget);
        ASSERT_NE(chooser, nullptr);
        filters = chooser->nameFilters();
        chooser->selectFile(QString::fromStdString((scripts / "ocean.txt").string()));
        static_cast<QDialog*>(chooser)->accept();
    });
    click(*dialog, "import");
    EXPECT_EQ(filters, (QStringList{"Kubrix Skin Scripts (*.txt)", "All Files (*)"}));
    EXPECT_EQ(popups.shown, std::vector<std::string>{"Imported"});
    EXPECT_EQ(skin4(), "Imported.KBS");
    EXPECT_TRUE(std::filesystem::exists(data / "Imported.KBS"));
    EXPECT_EQ(context->skins().currentSkin().infoText(3), "Imported");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

} // namespace
} // namespace kubrix::test
