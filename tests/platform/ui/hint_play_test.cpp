// Hints and no-guess boards in the real window: the H key lights a provable cube, or says that
// a guess is needed.
#include "platform/ui/app_window_fixture.h"

#include <QLabel>
#include <QTest>

namespace kubrix::test {
namespace {

TEST_F(AppWindowTest, TheHintKeyLightsAProvableCubeOrSaysThatAGuessIsNeeded)
{
    MainWindow& window = start();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QAction* hint = item("actionHint");
    QAction* noGuess = item("actionNoGuess");
    EXPECT_FALSE(noGuess->isChecked()) << "off until the player asks";
    choose("actionNoGuess");
    EXPECT_TRUE(noGuess->isChecked());
    EXPECT_EQ(store.readInt("Startup", "NoGuess", 0), 1);

    choose("actionIntermediate");
    EXPECT_FALSE(hint->isEnabled()) << "nothing to reason about before the first exposure";
    clock.set(31337);
    game().expose(0);
    ASSERT_TRUE(game().running());
    EXPECT_TRUE(hint->isEnabled());
    QTest::keyClick(&window, Qt::Key_H);
    ASSERT_TRUE(game().litHint().has_value());
    const Deduction lit = *game().litHint();
    EXPECT_FALSE(lit.bomb) << "a board that needs no guess always has a safe cube to show";
    EXPECT_EQ(game().board().cube(lit.cube).bomb, 0);
    EXPECT_FALSE(lit.reasons.empty());
    EXPECT_TRUE(messages.shown.empty());

    // A game started by a mark: everything is covered, and 6 bombs in 64 cubes prove nothing.
    choose("actionBeginner");
    game().toggleMark(5);
    QTest::keyClick(&window, Qt::Key_H);
    EXPECT_FALSE(game().litHint().has_value());
    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_EQ(messages.shown[0].text, "No cube can be proven safe: a guess is needed here.");
    EXPECT_EQ(messages.shown[0].caption, "Hint");

    // No board 62 bombs in 64 cubes needs no guess: the game goes on, and a line says so.
    game().newGame(4, 4, 4, 4, 62);
    game().expose(21);
    EXPECT_FALSE(game().lost());
    const auto* notice = window.findChild<QLabel*>(QStringLiteral("noticeLine"));
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(messages.shown.size(), 1U) << "no message box in the middle of a click";
}

} // namespace
} // namespace kubrix::test
