// The Load Game, statistics and high scores dialogs, driven from the menu as a player does.
#include "platform/ui/app_window_fixture.h"
#include "support/modal_answer.h"

#include <QAbstractButton>
#include <QRegularExpression>

namespace kubrix::test {
namespace {

void click(QWidget& dialog, int id)
{
    auto* button = dialog.findChild<QAbstractButton*>(QString::number(id));
    ASSERT_NE(button, nullptr) << id;
    button->click();
}

// The texts of the controls first..last (labels or buttons).
QStringList texts(QWidget& dialog, int first, int last)
{
    QStringList found;
    for (int id = first; id <= last; ++id) {
        const auto* control = dialog.findChild<QWidget*>(QString::number(id));
        found << (control ? control->property("text").toString() : QStringLiteral("(none)"));
    }
    return found;
}

class DialogTest : public AppWindowTest {
protected:
    // Opens the dialog from the menu and reads the controls before and after pressing a
    // button; OK or Close (id 1) then closes it.
    std::pair<QStringList, QStringList> textsAroundPress(const char* command, int first, int last,
                                                         int press)
    {
        std::pair<QStringList, QStringList> seen;
        ModalAnswer answer([&](QWidget& dialog) {
            seen.first = texts(dialog, first, last);
            click(dialog, press);
            seen.second = texts(dialog, first, last);
            click(dialog, 1);
        });
        choose(command);
        EXPECT_TRUE(answer.answered());
        return seen;
    }
};

TEST_F(AppWindowTest, SaveIntoASlotAskBeforeOverwritingAndLoadItBackExactly)
{
    start();
    // Bombs at (1, 0, 0) and (1, 1, 0): on a block three wide every other cube touches both.
    std::vector<Cube> cubes(3 * 2 * 2);
    for (std::size_t i = 0; i < cubes.size(); ++i)
        cubes[i].neighbourBombs = i == 1 || i == 4 ? 1 : 2;
    cubes[1].bomb = cubes[4].bomb = 1;
    cubes[2].floodUntouched = cubes[2].covered = 0;
    cubes[4].intact = 0;
    cubes[5].suspect = 1;
    ASSERT_TRUE(game().restoreGame(0, 1, 3, 2, 2, 2, 0, cubes));
    ASSERT_EQ(game().toggleMark(7), 1);
    clock.advance(61900);
    context->app().viewRotation() = {0.0F, 0.6F, 0.0F, 0.8F};
    std::filesystem::create_directory(data / "KBXSAVE2.SAV"); // a slot that cannot be written
    const std::vector<Cube> saved = game().board().cubes();
    QStringList captions;
    {
        ModalAnswer answer([&](QWidget& dialog) {
            captions = texts(dialog, 1007, 1011);
            click(dialog, 1007);
            captions << texts(dialog, 1007, 1007);
            click(dialog, 1007); // a valid game: the player is asked, and says No
            click(dialog, 1008);
            click(dialog, 2);
        });
        choose("actionSaveGame");
        ASSERT_TRUE(answer.answered());
    }
    EXPECT_EQ(captions.mid(0, 5), QStringList(5, QStringLiteral("Empty Save Slot")));
    EXPECT_TRUE(captions.last().contains(QRegularExpression(
        QStringLiteral("^3x2x2 1/2 - [01]\\d:[0-5]\\d[AP]M [A-Z][a-z]{2} [0-3]\\d$"))));
    ASSERT_EQ(messages.shown.size(), 2U);
    EXPECT_EQ(messages.shown[0].text, "Overwrite the existing saved game?");
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(messages.shown[1].text,
              "Error writing to save game file. Check the disk is not write protected.");
    EXPECT_EQ(messages.shown[1].caption, "Save Game");
    EXPECT_EQ(messages.shown[1].icon, MessageIcon::Warning);

    choose("actionExpert");
    frame().setTutorialGame(true);
    const std::int32_t played = context->app().statistics().gamesPlayed();
    {
        ModalAnswer answer([&](QWidget& dialog) {
            for (int id = 1008; id <= 1011; ++id)
                EXPECT_FALSE(dialog.findChild<QWidget*>(QString::number(id))->isEnabled()) << id;
            click(dialog, 1007);
            clock.advance(30000); // the loaded game waits while the dialog stays open
            click(dialog, 1);
        });
        choose("actionLoadGame");
        ASSERT_TRUE(answer.answered());
    }
    EXPECT_EQ(game().board().cubes(), saved);
    EXPECT_EQ(std::tuple(game().board().width(), game().board().height(), game().level(),
                         game().bombCount(), game().marksPlaced(), game().elapsedSeconds()),
              std::tuple(3, 2, 4, 2, 1, 61U))
        << "the clock goes on from the saved whole seconds; Intermediate on a board not its "
           "own plays as Custom";
    EXPECT_FALSE(game().paused()) << "and runs once the dialog closes";
    EXPECT_EQ(context->app().viewRotation(), (Quaternion{0.0F, 0.6F, 0.0F, 0.8F}));
    EXPECT_EQ(context->app().statistics().gamesPlayed(), played + 1) << "a load is a game played";
    EXPECT_FALSE(frame().tutorialGame()) << "the loaded game can be saved again";
    EXPECT_TRUE(item("actionSaveGame")->isEnabled());
}

TEST_F(DialogTest, StatisticsShowEveryValueAndResetZeroesThem)
{
    const std::vector<std::pair<const char*, int>> stored{
        {"stlos", 4}, {"stwon", 3},   {"ststwin", 2},  {"ststlos", 5},
        {"stst", -3}, {"stmx", 3725}, {"sttt", 360000}};
    for (const auto& [key, value] : stored)
        store.writeInt("User", key, value);
    start();
    clock.advance(2000);
    const auto [shown, reset] = textsAroundPress("actionStatistics", 1029, 1036, 1037);
    EXPECT_EQ(shown,
              (QStringList{"4", "3", "2", "5", "3 Losses", "01:02:05", "100:00:02", "25:00:00"}));
    EXPECT_EQ(reset,
              (QStringList{"0", "0", "0", "0", "0 Wins", "00:00:00", "00:00:02", "00:00:00"}));
    EXPECT_EQ(store.readInt("User", "stlos", 0), 4) << "Reset writes nothing by itself";
}

TEST_F(DialogTest, HighScoresShowTheRecordsAndClearWritesAllThree)
{
    store.writeText("Startup", "N1", "Ann <b>");
    store.writeInt("Startup", "D1", 3725);
    start();
    const auto [shown, cleared] = textsAroundPress("actionRecords", 1001, 1006, 1007);
    EXPECT_EQ(shown, (QStringList{"", "Ann <b>", "", "999:59", "62:05", "999:59"}));
    EXPECT_EQ(cleared, (QStringList{"", "", "", "999:59", "999:59", "999:59"}));
    for (const char* key : {"N0", "N1", "N2"})
        EXPECT_EQ(store.readText("Startup", key, "?"), "") << key;
    for (const char* key : {"D0", "D1", "D2"})
        EXPECT_EQ(store.readInt("Startup", key, 0), 59999) << key;
}

} // namespace
} // namespace kubrix::test
