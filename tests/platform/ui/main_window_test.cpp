// The main window's life: first run, placement, the device check, painting, the timer, and its end.
#include "core/scene/quaternion.h"
#include "platform/gl/texture_set.h"
#include "platform/ui/app_window_fixture.h"
#include "platform/ui/board_view.h"
#include "support/modal_answer.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace kubrix::test {
namespace {

QRect availableArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

TEST_F(AppWindowTest, FirstRunStartsBeginnerWithSoundMusicAndA600WindowAtTheCorner)
{
    MainWindow& window = start();
    EXPECT_EQ(game().level(), 0);
    EXPECT_EQ(game().board().width(), 4);
    EXPECT_EQ(game().board().height(), 4);
    EXPECT_EQ(game().board().depth(), 4);
    EXPECT_EQ(game().bombCount(), 6);
    EXPECT_TRUE(game().soundOn());
    EXPECT_TRUE(game().musicOn());
    EXPECT_EQ(game().quality(), 1);
    for (int level = 0; level < 3; ++level)
        EXPECT_EQ(game().record(level).seconds, 59999);
    EXPECT_EQ(window.frameGeometry(), QRect(0, 0, 600, 600));
    EXPECT_EQ(context->app().viewRotation(), kTutorialRotation);
    EXPECT_EQ(game().face().value(), FaceState::kIdle);
    EXPECT_FALSE(window.tutorialGame());
    EXPECT_FALSE(context->app().updateCheck().workerStarted());
    EXPECT_TRUE(std::filesystem::is_directory(context->dataFolder()));
}

TEST_F(AppWindowTest, StoredPlacementIsPulledOntoTheAvailableScreen)
{
    const QRect area = availableArea();
    store.writeText("Startup", "wscale", "100,50,5000,4000");
    MainWindow& window = start();
    const QRect expected(QPoint(100, 50), QPoint(area.right(), area.bottom()));
    EXPECT_EQ(window.frameGeometry(), expected);
    ASSERT_TRUE(waitFor([&] { return window.isVisible(); }));
    window.close();
    const std::string stored = store.readText("Startup", "wscale", "");
    EXPECT_EQ(stored, "100,50," + std::to_string(area.right() + 1) + "," +
                          std::to_string(area.bottom() + 1))
        << "a restored placement is stored back unchanged";
}

TEST_F(AppWindowTest, PlacementOffTheTopLeftIsMovedOntoTheScreen)
{
    store.writeText("Startup", "wscale", "-20,-10,600,600");
    MainWindow& window = start();
    EXPECT_EQ(window.frameGeometry(), QRect(0, 0, 600, 600));
}

TEST_F(AppWindowTest, AMovedWindowStoresItsNewRectangleOnClose)
{
    store.writeText("Startup", "wscale", "30,40,530,440");
    MainWindow& window = start();
    ASSERT_TRUE(waitFor([&] { return window.isVisible(); }));
    EXPECT_EQ(window.frameGeometry(), QRect(30, 40, 500, 400));
    window.move(70, 90);
    ASSERT_TRUE(waitFor([&] { return window.frameGeometry().topLeft() == QPoint(70, 90); }));
    window.close();
    EXPECT_EQ(store.readText("Startup", "wscale", ""), "70,90,570,490");
}

TEST_F(AppWindowTest, ATinyStoredWindowGrowsToTheMinimumAndNeverShrinksBelowIt)
{
    store.writeText("Startup", "wscale", "0,0,1,19");
    MainWindow& window = start();
    ASSERT_TRUE(waitFor([&] { return window.isVisible(); }));
    EXPECT_EQ(window.frameGeometry(), QRect(0, 0, 320, 240));
    window.resize(40, 30);
    EXPECT_EQ(window.size(), QSize(320, 240));
    window.close();
    EXPECT_EQ(store.readText("Startup", "wscale", ""), "0,0,320,240");
}

TEST_F(AppWindowTest, WithoutAGraphicsDeviceTheErrorShowsAndTheWindowCloses)
{
    probeResult = kDeviceUnavailable;
    makeContext();
    QString title;
    QString text;
    QStringList buttons;
    ModalAnswer answer([&](QWidget& dialog) {
        title = dialog.windowTitle();
        if (const auto* message = dialog.findChild<QLabel*>())
            text = message->text();
        QPushButton* close = nullptr;
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            buttons << button->text();
            close = button;
        }
        ASSERT_NE(close, nullptr);
        close->click();
    });
    context->app().startUp({});
    EXPECT_TRUE(answer.answered());
    EXPECT_EQ(title, QStringLiteral("Kubrix Initialisation Error"));
    EXPECT_EQ(text, QStringLiteral(
                        "Kubrix was unable to initialise a suitable graphics device driver.  This "
                        "may be due to a problem with the current display settings, or you may be "
                        "required to install a suitable driver on the system.  Please refer to the "
                        "help file for more details."));
    EXPECT_EQ(buttons, QStringList{QStringLiteral("Close")});
    ASSERT_NE(context->mainWindow(), nullptr);
    EXPECT_TRUE(waitFor([&] { return !frame().isVisible(); })) << "the window closes itself";
    EXPECT_EQ(store.readText("Startup", "wscale", ""), "0,0,600,600") << "closed as usual";
}

TEST_F(AppWindowTest, AnExitArgumentEndsStartUpWithoutAWindow)
{
    makeContext();
    EXPECT_FALSE(context->app().startUp({"-u"}));
    EXPECT_EQ(context->mainWindow(), nullptr);
}

TEST_F(AppWindowTest, FirstPaintStartsSoundAndMusicAndLetsTheUpdateCheckGo)
{
    MainWindow& window = start();
    ASSERT_TRUE(waitFor([&] { return !window.frameLoop().firstPaintPending(); }));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(sound.played, std::vector<SoundId>{SoundId::Start});
    EXPECT_EQ(sound.musicStarts, 1);
    EXPECT_TRUE(context->app().events().mainWindowShown.isSet());
    EXPECT_EQ(window.boardView()->deviceWidth(),
              qRound(window.boardView()->width() * window.boardView()->devicePixelRatioF()));
    EXPECT_GT(window.faceRect().width(), 0) << "the frame drew the face";

    sound.played.clear();
    choose("actionNew");
    EXPECT_EQ(sound.played, std::vector<SoundId>{SoundId::Start}) << "New plays it from now on";
    EXPECT_EQ(sound.musicStarts, 1);
}

TEST_F(AppWindowTest, TheFirstSoundAndSoAnyNoticeOfNoDeviceComeOnceTheWindowIsDrawn)
{
    std::vector<bool> windowDrawn;
    sound.onPlay = [this, &windowDrawn] {
        windowDrawn.push_back(frame().isVisible() && frame().frameLoop().lastPaintTick() != 0U);
    };
    start();
    waitFor([&] { return !windowDrawn.empty(); });
    EXPECT_EQ(windowDrawn, std::vector<bool>{true}) << "not from inside the first paint";
}

TEST_F(AppWindowTest, FirstPaintIsSilentWhenSoundAndMusicAreOff)
{
    store.writeInt("Startup", "s", 0);
    store.writeInt("Startup", "t", 0);
    MainWindow& window = start();
    ASSERT_TRUE(waitFor([&] { return !window.frameLoop().firstPaintPending(); }));
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(sound.played.empty());
    EXPECT_EQ(sound.musicStarts, 0);
}

TEST_F(AppWindowTest, TimerRepaintsAnIdleViewAndBlinksTheIdleFace)
{
    MainWindow& window = start();
    // The ticks here are the test's: a tick of the window's own timer during a wait would
    // blink the face at another time.
    window.frameTimer().stop();
    ASSERT_TRUE(waitFor([&] { return !window.frameLoop().firstPaintPending(); }));
    ASSERT_TRUE(
        waitFor([&] { return window.frameLoop().repaintState() == FrameLoop::Repaint::None; }));
    EXPECT_EQ(window.frameLoop().lastPaintTick(), clock.now()) << "painted by the manual clock";

    clock.advance(50);
    window.timerTick();
    EXPECT_EQ(window.frameLoop().repaintState(), FrameLoop::Repaint::None);
    EXPECT_EQ(game().face().value(), FaceState::kBlink) << "the first blink is due at once";
    EXPECT_EQ(game().face().stamp(), clock.now());
    EXPECT_LT(game().face().nextBlinkTick() - clock.now(), 10000U);
    const std::uint32_t nextBlink = game().face().nextBlinkTick();
    clock.advance(100);
    window.timerTick();
    EXPECT_EQ(window.frameLoop().repaintState(), FrameLoop::Repaint::Timer);
    EXPECT_EQ(game().face().nextBlinkTick(), nextBlink) << "no blink while one shows";

    clock.advance(600);
    ASSERT_TRUE(waitFor([&] {
        return window.frameLoop().repaintState() == FrameLoop::Repaint::None;
    })) << "the requested repaint happens";
    EXPECT_EQ(game().face().value(), FaceState::kIdle) << "the paint ends the blink";
    EXPECT_EQ(window.frameLoop().lastPaintTick(), clock.now());

    // Left alone, the window is painted only when the face changes; a blink is due within
    // 10 s, so twelve seconds of ticks see at least one.
    int paints = 0;
    int changes = 0;
    for (int tick = 0; tick < 60; ++tick) {
        const std::uint32_t lastPaint = window.frameLoop().lastPaintTick();
        const int face = game().face().value();
        clock.advance(MainWindow::kTimerMs);
        window.timerTick();
        QApplication::processEvents();
        ASSERT_TRUE(
            waitFor([&] { return window.frameLoop().repaintState() == FrameLoop::Repaint::None; }));
        paints += window.frameLoop().lastPaintTick() != lastPaint ? 1 : 0;
        changes += game().face().value() != face ? 1 : 0;
    }
    EXPECT_GT(changes, 0);
    EXPECT_EQ(paints, changes);

    // Nothing watched: the timer sleeps until the face's next change, and the paint that a
    // move brings wakes it to tick by tick while the clock runs.
    window.timerTick();
    EXPECT_EQ(window.timerInterval(), static_cast<int>(FrameLoop::sleepAfterTick(
                                          clock.now(), false, game().face().nextChangeTick())));
    window.frameTimer().start();
    game().expose(0);
    ASSERT_TRUE(game().running());
    ASSERT_TRUE(waitFor([&] { return window.timerInterval() == MainWindow::kTimerMs; }));
    clock.advance(MainWindow::kTimerMs);
    window.timerTick();
    EXPECT_EQ(window.timerInterval(), MainWindow::kTimerMs) << "the clock is watched";
}

TEST_F(AppWindowTest, ViewResetReloadsTheTexturesAndShowsTheIdleFace)
{
    MainWindow& window = start();
    ASSERT_TRUE(waitFor([&] { return !window.frameLoop().firstPaintPending(); }));
    ASSERT_NE(context->textures().currentSlot(), -1) << "the frame drew with the textures";
    game().face().set(FaceState::kWon, clock.now());
    window.viewReset(false);
    EXPECT_NE(context->textures().currentSlot(), -1);
    EXPECT_EQ(game().face().value(), FaceState::kWon);
    window.viewReset(true);
    EXPECT_EQ(context->textures().currentSlot(), -1);
    EXPECT_EQ(game().face().value(), FaceState::kIdle);
    EXPECT_TRUE(waitFor([&] { return context->textures().currentSlot() != -1; }))
        << "the repaint reloads them";
}

TEST_F(AppWindowTest, DestructionSavesTheStatisticsWithThisRunsTimeAndReleasesTextures)
{
    store.writeInt("User", "sttt", 40);
    store.writeInt("User", "stwon", 2);
    MainWindow& window = start();
    ASSERT_TRUE(waitFor([&] { return !window.frameLoop().firstPaintPending(); }));
    const Texture* cubes = context->textures().texture(TextureSet::kCubeAtlas);
    ASSERT_NE(cubes, nullptr);
    EXPECT_TRUE(cubes->uploaded());
    clock.advance(65000);
    context->destroyMainWindow();
    EXPECT_EQ(store.readInt("User", "sttt", 0), 105);
    EXPECT_EQ(store.readInt("User", "stwon", 0), 2);
    EXPECT_FALSE(cubes->uploaded()) << "released while its context was still there";
    EXPECT_EQ(context->textures().currentSlot(), -1);
}

} // namespace
} // namespace kubrix::test
