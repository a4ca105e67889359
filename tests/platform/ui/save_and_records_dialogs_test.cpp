// The Load Game, statistics and high scores dialogs, driven from the menu as a player does.
#include "platform/ui/app_window_fixture.h"
#include "platform/ui/load_save_dialog.h"
#include "support/modal_answer.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>

namespace kubrix::test {
namespace {

QString textOf(QWidget& dialog, int id)
{
    const auto* widget = dialog.findChild<QWidget*>(QString::number(id));
    EXPECT_NE(widget, nullptr) << id;
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    const auto* button = qobject_cast<const QAbstractButton*>(widget);
    return button ? button->text() : QString();
}

void click(QWidget& dialog, int id)
{
    auto* button = dialog.findChild<QAbstractButton*>(QString::number(id));
    ASSERT_NE(button, nullptr) << id;
    button->click();
}

void clickBox(QWidget& dialog, QDialogButtonBox::StandardButton which)
{
    dialog.findChild<QDialogButtonBox*>()->button(which)->click();
}

TEST_F(AppWindowTest, SaveIntoASlotAskBeforeOverwritingAndLoadItBack)
{
    start();
    choose("actionBeginner");
    ASSERT_EQ(game().toggleMark(0), 1); // the game runs, and no flood can end it
    context->app().viewRotation() = {0.0F, 0.6F, 0.0F, 0.8F};
    std::filesystem::create_directory(data / "KBXSAVE2.SAV"); // a slot that cannot be written
    const std::vector<Cube> saved = game().board().cubes();
    QString caption;
    {
        ModalAnswer answer([&](QWidget& dialog) {
            EXPECT_EQ(textOf(dialog, 1007), QStringLiteral("Empty Save Slot"));
            click(dialog, 1007);
            caption = textOf(dialog, 1007);
            click(dialog, 1007); // a valid game: the player is asked, and says No
            click(dialog, 1008);
            clickBox(dialog, QDialogButtonBox::Cancel);
        });
        choose("actionSaveGame");
        ASSERT_TRUE(answer.answered());
    }
    EXPECT_TRUE(caption.startsWith(QStringLiteral("4x4x4 1/6 - "))) << caption.toStdString();
    ASSERT_EQ(messages.shown.size(), 2U);
    EXPECT_EQ(messages.shown[0].text, "Overwrite the existing saved game?");
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(messages.shown[1].text,
              "Error writing to save game file. Check the disk is not write protected.");
    EXPECT_EQ(messages.shown[1].caption, "Save Game");
    EXPECT_EQ(messages.shown[1].icon, MessageIcon::Warning);

    choose("actionExpert");
    frame().setTutorialGame(true);
    {
        ModalAnswer answer([&](QWidget& dialog) {
            for (int id = 1008; id <= LoadSaveDialog::kLastSlotId; ++id)
                EXPECT_FALSE(dialog.findChild<QPushButton*>(QString::number(id))->isEnabled());
            click(dialog, 1007);
            clickBox(dialog, QDialogButtonBox::Ok);
        });
        choose("actionLoadGame");
        ASSERT_TRUE(answer.answered());
    }
    EXPECT_EQ(game().board().cubes(), saved);
    EXPECT_EQ(context->app().viewRotation(), (Quaternion{0.0F, 0.6F, 0.0F, 0.8F}));
    EXPECT_FALSE(frame().tutorialGame()) << "the loaded game can be saved again";
    EXPECT_TRUE(item("actionSaveGame")->isEnabled());
}

TEST_F(AppWindowTest, StatisticsShowEveryValueAndResetZeroesThem)
{
    for (const auto& [key, value] : std::vector<std::pair<const char*, int>>{{"stlos", 4},
                                                                             {"stwon", 3},
                                                                             {"ststwin", 2},
                                                                             {"ststlos", 5},
                                                                             {"stst", -3},
                                                                             {"stmx", 3725},
                                                                             {"sttt", 360000}})
        store.writeInt("User", key, value);
    start();
    QStringList before;
    QStringList after;
    ModalAnswer answer([&](QWidget& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Kubrix Statistics"));
        for (int id = 1029; id <= 1036; ++id)
            before << textOf(dialog, id);
        click(dialog, 1037);
        for (int id = 1029; id <= 1036; ++id)
            after << textOf(dialog, id);
        click(dialog, 1);
    });
    clock.advance(2000);
    choose("actionStatistics");
    ASSERT_TRUE(answer.answered());
    EXPECT_EQ(before,
              (QStringList{"4", "3", "2", "5", "3 Losses", "01:02:05", "100:00:02", "25:00:00"}));
    EXPECT_EQ(after,
              (QStringList{"0", "0", "0", "0", "0 Wins", "00:00:00", "00:00:02", "00:00:00"}));
    EXPECT_EQ(store.readInt("User", "stlos", 0), 4) << "Reset writes nothing by itself";
}

TEST_F(AppWindowTest, HighScoresShowTheRecordsAndClearWritesAllThree)
{
    store.writeText("Startup", "N1", "Ann <b>");
    store.writeInt("Startup", "D1", 3725);
    start();
    QStringList shown;
    QStringList cleared;
    ModalAnswer answer([&](QWidget& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Kubrix High Scores"));
        for (int id = 1001; id <= 1006; ++id)
            shown << textOf(dialog, id);
        click(dialog, 1007);
        for (int id = 1001; id <= 1006; ++id)
            cleared << textOf(dialog, id);
        click(dialog, 1);
    });
    choose("actionRecords");
    ASSERT_TRUE(answer.answered());
    EXPECT_EQ(shown, (QStringList{"", "Ann <b>", "", "999:59", "62:05", "999:59"}));
    EXPECT_EQ(cleared, (QStringList{"", "", "", "999:59", "999:59", "999:59"}));
    for (const char* key : {"N0", "N1", "N2"})
        EXPECT_EQ(store.readText("Startup", key, "?"), "") << key;
    for (const char* key : {"D0", "D1", "D2"})
        EXPECT_EQ(store.readInt("Startup", key, 0), 59999) << key;
}

} // namespace
} // namespace kubrix::test
