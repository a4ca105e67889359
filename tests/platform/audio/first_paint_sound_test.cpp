// The real window's first paint starts the game's sound: START, then the looping music.
#include "app/app_context.h"
#include "core/base/memory_settings_store.h"
#include "platform/audio/sound_output.h"
#include "platform/gl/device_probe.h"
#include "platform/ui/main_window.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"
#include "support/wave_bytes.h"

#include <QApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <cmath>

namespace kubrix {
namespace {

std::vector<std::uint8_t> tone(double hz, double seconds)
{
    std::vector<std::uint8_t> samples;
    for (int i = 0; i < static_cast<int>(seconds * 11025); ++i)
        samples.push_back(
            static_cast<std::uint8_t>(128.0 + 100.0 * std::sin(2.0 * 3.14159265 * hz * i / 11025)));
    return test::pcmWave(samples);
}

class NoPopup final : public SkinInfoPresenter {
public:
    void showSkinInfo(const SkinPackage&) override {}
};

void waitFor(const std::function<bool()>& done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

TEST(FirstPaintSound, StartPlaysThenTheMusicLoopsAndFollowsASkinChange)
{
    int argc = 1;
    char name[] = "kubrix_sound_tests";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    test::TempFolder data;
    SkinPackage tones;
    tones.setInfoText(3, "Tones");
    tones.setSoundBytes(static_cast<int>(SoundId::Start), tone(1400.0, 0.3));
    tones.setSoundBytes(static_cast<int>(SoundId::Music), tone(2200.0, 1.0));
    ASSERT_TRUE(tones.savePackage((data / "tones.KBS").string()));
    MemorySettingsStore settings;
    settings.writeText("Startup", "Skin4", "tones.KBS");
    test::RecordingMessages messages;
    NoPopup popup;
    {
        AppContext context(AppContextOptions{&settings, nullptr, data.path(), nullptr, &messages,
                                             [] { return kDeviceOpenGL; }, &popup});
        ASSERT_TRUE(context.app().startUp({}));
        waitFor([&] { return !context.mainWindow()->frameLoop().firstPaintPending(); }, 5000);
        ASSERT_FALSE(context.mainWindow()->frameLoop().firstPaintPending());
        waitFor([] { return false; }, 600);
        // A new skin brings its own music, which starts again while the music is on.
        SkinPackage other;
        other.setInfoText(3, "Other");
        other.setSoundBytes(static_cast<int>(SoundId::Music), tone(3000.0, 1.0));
        context.skins().applySkin(other);
        context.skinChanged();
        waitFor([] { return false; }, 500);
        context.destroyMainWindow();
        context.app().shutDown();
    }
    const test::Recording r = test::readRecording();
    const double start = test::toneStart(r, 1400.0);
    const double music = test::toneStart(r, 2200.0);
    ASSERT_GE(start, 0.0) << "START at the first paint";
    EXPECT_GE(music, start);
    EXPECT_GT(test::toneSeconds(r, 2200.0), 0.4);
    const double newMusic = test::toneStart(r, 3000.0);
    ASSERT_GT(newMusic, music) << "the new skin's music follows the change";
    EXPECT_LT(test::toneLevel(r, 2200.0, newMusic + 0.05, newMusic + 0.4), 0.05)
        << "the old tune stopped with its buffer";
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace
} // namespace kubrix
