// The game's own dialogs around the main window: fastest time, skin information, and what the
// window answers the game rules.
#include "platform/ui/app_window_fixture.h"
#include "platform/ui/fastest_time_dialog.h"
#include "platform/ui/hyper_link.h"
#include "platform/ui/main_window_host.h"
#include "platform/ui/skin_info_popup.h"
#include "support/modal_answer.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace kubrix::test {
namespace {

// Plays the current game to a win: the first exposure is safe, then every safe cube.
void win(Game& game, ManualClock& clock, std::uint32_t seconds)
{
    ASSERT_EQ(game.expose(0), 1);
    clock.advance(seconds * 1000);
    for (int i = 0; i < game.board().cubeCount() && !game.ended(); ++i) {
        const Cube& cube = game.board().cube(i);
        if (cube.bomb == 0 && cube.covered != 0)
            game.expose(i);
    }
    ASSERT_TRUE(game.ended());
    ASSERT_FALSE(game.lost());
}

void clickOk(QWidget& dialog)
{
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    ASSERT_NE(buttons->button(QDialogButtonBox::Ok), nullptr);
    buttons->button(QDialogButtonBox::Ok)->click();
}

TEST_F(AppWindowTest, AFastestTimeAsksForTheNameAndStoresItAsTyped)
{
    start();
    choose("actionBeginner");
    QString prompt;
    QString prefilled;
    {
        ModalAnswer answer([&](QWidget& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Fastest Time"));
            if (auto* label = dialog.findChild<QLabel*>(QStringLiteral("1001")))
                prompt = label->text();
            auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("1002"));
            ASSERT_NE(name, nullptr);
            prefilled = name->text();
            name->setText(QStringLiteral(" Zoë <b> "));
            clickOk(dialog);
        });
        win(game(), clock, 5);
        EXPECT_TRUE(answer.answered());
    }
    EXPECT_EQ(prompt, QStringLiteral(
                          "You have the fastest time for beginner level.\nPlease enter your name"));
    EXPECT_EQ(prefilled, QStringLiteral("Anonymous"));
    EXPECT_EQ(store.readText("Startup", "N0", "?"), " Zoë <b> ");
    EXPECT_EQ(store.readInt("Startup", "D0", 0), 5);
    EXPECT_EQ(game().face().value(), FaceState::kWonRecord);

    // A faster game, but the player leaves with Escape: the old record stays.
    choose("actionNew");
    {
        ModalAnswer answer([](QWidget& dialog) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(&dialog, &escape);
        });
        win(game(), clock, 3);
        EXPECT_TRUE(answer.answered());
    }
    EXPECT_EQ(store.readInt("Startup", "D0", 0), 5);
    EXPECT_EQ(store.readText("Startup", "N0", "?"), " Zoë <b> ");
    EXPECT_EQ(game().record(0).seconds, 5);
}

TEST_F(AppWindowTest, TheTutorialGameAndCustomGamesNeverAskForAName)
{
    start();
    {
        ModalAnswer answer([](QWidget& dialog) { clickOk(dialog); }, 1000);
        choose("actionBeginner");
        frame().setTutorialGame(true);
        win(game(), clock, 2);
        game().newGame(4, 3, 3, 3, 2);
        win(game(), clock, 2);
        EXPECT_FALSE(answer.answered());
    }
    EXPECT_EQ(store.readInt("Startup", "D0", -1), -1);
}

TEST_F(AppWindowTest, FastestTimePromptNamesTheLevelPlayed)
{
    start();
    choose("actionExpert");
    FastestTimeDialog dialog(game());
    const auto* label = dialog.findChild<QLabel*>(QStringLiteral("1001"));
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(
        label->text().startsWith(QStringLiteral("You have the fastest time for expert level.\n")));
}

TEST_F(AppWindowTest, HostAnswersFromTheWindowFlagsAndTheTintFollowsTheSkin)
{
    start();
    GameHost& host = context->host();
    EXPECT_FALSE(host.tutorialGame());
    frame().setTutorialGame(true);
    EXPECT_TRUE(host.tutorialGame());
    EXPECT_FALSE(host.tutorialRunning()) << "no tutorial window exists";

    const QColor face = frame().palette().color(QPalette::Button);
    const Colour tint = frame().boardTint();
    EXPECT_FLOAT_EQ(tint.r, static_cast<float>(face.redF()));
    EXPECT_FLOAT_EQ(tint.g, static_cast<float>(face.greenF()));
    EXPECT_FLOAT_EQ(tint.b, static_cast<float>(face.blueF()));
    EXPECT_EQ(tint.a, 0.0F);

    SkinPackage custom = context->skins().defaultSkin();
    custom.setInfoText(3, "Ocean");
    {
        ModalAnswer answer([](QWidget& popup) { popup.close(); });
        context->skins().applySkin(custom);
        EXPECT_TRUE(answer.answered()) << "applying a skin introduces it";
    }
    EXPECT_EQ(frame().boardTint(), (Colour{1.0F, 1.0F, 1.0F, 1.0F}));
    context->skins().revertToDefault();
    EXPECT_EQ(frame().boardTint().a, 0.0F);
}

TEST(SkinInfoPopup, ShowsNameAuthorAndLinksCaptionlessAndClosesAfterThreeSeconds)
{
    SkinPackage package;
    package.setInfoText(0, "Ann <Author> & Co");
    package.setInfoText(2, "https://example.org/ocean?a=1&b=2");
    package.setInfoText(3, "Ocean");

    QStringList texts;
    QStringList targets;
    QStringList order;
    bool captionless = false;
    bool modal = false;
    ModalAnswer answer(
        [&](QWidget& popup) {
            captionless = popup.windowFlags().testFlag(Qt::FramelessWindowHint);
            modal = popup.isModal();
            for (const QLabel* label : popup.findChildren<QLabel*>()) {
                order << label->objectName();
                texts << label->text();
                EXPECT_TRUE(label->alignment().testFlag(Qt::AlignHCenter)) << "centred";
                if (const auto* link = qobject_cast<const HyperLink*>(label))
                    targets << link->url();
            }
        },
        6000, true);
    FakeUrlOpener opener;
    RecordingMessages messages;
    SkinInfoPopup presenter(opener, messages);
    QElapsedTimer shown;
    shown.start();
    presenter.showSkinInfo(package);
    const qint64 elapsed = shown.elapsed();

    ASSERT_TRUE(answer.answered());
    EXPECT_TRUE(captionless);
    EXPECT_TRUE(modal);
    EXPECT_EQ(order, (QStringList{"name", "author", "email", "web"})) << "top to bottom";
    EXPECT_EQ(texts,
              (QStringList{"Ocean", "Ann <Author> & Co", "", "https://example.org/ocean?a=1&b=2"}));
    EXPECT_EQ(targets, (QStringList{"mailto:", "https://example.org/ocean?a=1&b=2"}))
        << "an empty e-mail still targets mailto:";
    EXPECT_GE(elapsed, SkinInfoPopup::kShowMs - 50);
    EXPECT_LT(elapsed, SkinInfoPopup::kShowMs + 2000);
}

TEST(SkinInfoPopup, LinksOpenOnlyTheWebPageAndTheAddressTheyClaimToBe)
{
    const QString page = QStringLiteral("HTTP://Example.org/ocean?a=1");
    EXPECT_EQ(skinWebTarget(page), page);
    for (const char* refused : {"file:///etc/passwd", "/usr/bin/xterm", "smb://host/x", "http://"})
        EXPECT_EQ(skinWebTarget(QString::fromLatin1(refused)), QString()) << refused;
    EXPECT_EQ(skinEmailTarget(QStringLiteral("ann@example.org?attach=/home/ann/.ssh/id_rsa")),
              QStringLiteral("mailto:ann@example.org"));
}

TEST(SkinInfoPopup, AHugeTextIsCutToTheScreen)
{
    SkinPackage package;
    package.setInfoText(3, std::string(100000, 'W'));
    package.setInfoText(2, "https://example.org/" + std::string(100000, 'w'));
    QSize size;
    QString name;
    ModalAnswer answer([&](QWidget& popup) {
        size = popup.size();
        const auto* line = popup.findChild<QLabel*>(QString::fromLatin1(SkinInfoPopup::kNameLine));
        ASSERT_NE(line, nullptr);
        name = line->text();
        qobject_cast<QDialog*>(&popup)->accept();
    });
    FakeUrlOpener opener;
    RecordingMessages messages;
    SkinInfoPopup(opener, messages).showSkinInfo(package);
    ASSERT_TRUE(answer.answered());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(size.width(), screen.width());
    EXPECT_LE(size.height(), screen.height());
    EXPECT_TRUE(name.startsWith(QStringLiteral("WWWW")));
    EXPECT_LT(name.size(), 1000);
}

} // namespace
} // namespace kubrix::test
