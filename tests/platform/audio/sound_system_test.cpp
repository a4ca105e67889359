// Real sound through OpenAL Soft's wave back end: what the player hears, measured.
#include "core/base/memory_settings_store.h"
#include "core/formats/wave_reader.h"
#include "core/skin/skin_store.h"
#include "default_skin/builtin_skin.h"
#include "platform/audio/sound_output.h"
#include "platform/audio/sound_system.h"
#include "support/game_fixture.h"
#include "support/recording_messages.h"
#include "support/wave_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace kubrix {
namespace {

using namespace std::chrono_literals;

// Every sound of the test skin is a tone of its own, so the recording tells them apart.
double toneOf(SoundId id)
{
    return 400.0 + 200.0 * static_cast<int>(id);
}

std::vector<std::uint8_t> tone(double hz, double seconds, std::uint32_t rate = 11025)
{
    std::vector<std::uint8_t> samples;
    const auto count = static_cast<std::size_t>(seconds * rate);
    for (std::size_t i = 0; i < count; ++i)
        samples.push_back(static_cast<std::uint8_t>(
            128.0 + 100.0 * std::sin(2.0 * 3.14159265358979 * hz * double(i) / rate)));
    return test::pcmWave(samples, 1, rate, 8);
}

// Music that rises a step every half second: where it resumes shows whether it continued.
std::vector<std::uint8_t> steppedMusic()
{
    std::vector<std::uint8_t> samples;
    for (const double hz : {2200.0, 2600.0, 3000.0, 3400.0}) {
        const auto part = tone(hz, 0.5);
        samples.insert(samples.end(), part.begin() + 44, part.end());
    }
    return test::pcmWave(samples);
}

std::vector<std::uint8_t> testSkin(bool gaps)
{
    SkinPackage package;
    package.setInfoText(3, "Tones");
    for (int id = 0; id < 8; ++id)
        package.setSoundBytes(id, tone(toneOf(static_cast<SoundId>(id)), 0.25));
    package.setSoundBytes(8, steppedMusic());
    if (gaps) {
        package.setSoundBytes(static_cast<int>(SoundId::Start), {});
        const std::vector<std::uint8_t> junk{'R', 'I', 'F', 'F', 1, 2, 3};
        package.setSoundBytes(static_cast<int>(SoundId::Win), junk);
        // A "data" chunk that claims 4 GB: no buffer may be sized from the claim.
        std::vector<std::uint8_t> lying = tone(toneOf(SoundId::Question), 0.25);
        writeLe32(lying, 40, 0xFFFFFFF0U);
        package.setSoundBytes(static_cast<int>(SoundId::Question), lying);
    }
    return package.bytes();
}

class NoPopup final : public SkinInfoPresenter {
public:
    void showSkinInfo(const SkinPackage&) override {}
};

class SoundWave : public test::GameFixture {
protected:
    void useSkin(bool gaps) { useSkinBytes(testSkin(gaps)); }
    void useSkinBytes(std::vector<std::uint8_t> bytes)
    {
        skinBytes = std::move(bytes);
        skins = std::make_unique<SkinStore>(skinBytes, store, ".", popup);
        system = std::make_unique<SoundSystem>(*skins, messages);
    }
    // Closing the device completes the file.
    test::Recording finish()
    {
        system->shutdownSound();
        return test::readRecording();
    }
    // A game whose rules play through the real sound system.
    Game& playingGame()
    {
        game = std::make_unique<Game>(GameServices{store, clock, statistics, *system, host});
        game->initFromSettings();
        return *game;
    }

    std::vector<std::uint8_t> skinBytes;
    NoPopup popup;
    test::RecordingMessages messages;
    std::unique_ptr<SkinStore> skins;
    std::unique_ptr<SoundSystem> system;
};

TEST_F(SoundWave, TheMarkCycleSoundsThreeTimesInOrder)
{
    useSkin(false);
    Game& g = playingGame();
    for (int i = 0; i < 3; ++i) {
        g.toggleMark(5);
        std::this_thread::sleep_for(300ms);
    }
    const test::Recording r = finish();
    ASSERT_GT(r.samples.size(), 0U);
    const double marked = test::toneStart(r, toneOf(SoundId::Marked));
    const double question = test::toneStart(r, toneOf(SoundId::Question));
    const double unmark = test::toneStart(r, toneOf(SoundId::Unmark));
    ASSERT_GE(marked, 0.0);
    EXPECT_GT(question, marked);
    EXPECT_GT(unmark, question);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SoundWave, ALostGameSoundsGameOverAndNoSafe)
{
    useSkin(false);
    Game& g = playingGame();
    const std::vector<Cube> row{
        {1, 0, {}, 1, 0, 0, 1, 1}, {0, 1, {}, 1, 0, 0, 1, 1}, {0, 0, {}, 1, 0, 0, 1, 1}};
    ASSERT_TRUE(g.restoreGame(3, 4, 3, 1, 1, 1, 0, row));
    g.expose(0);
    std::this_thread::sleep_for(400ms);
    const test::Recording r = finish();
    EXPECT_GT(test::toneSeconds(r, toneOf(SoundId::GameOver)), 0.1);
    EXPECT_EQ(test::toneSeconds(r, toneOf(SoundId::Safe)), 0.0);
}

TEST_F(SoundWave, WithSoundOffOnlyTheMusicIsHeard)
{
    useSkin(false);
    Game& g = playingGame();
    g.toggleSound();
    // The first paint's rule: START only when sound is on, then the music when it is on.
    if (g.soundOn())
        system->playSound(SoundId::Start);
    if (g.musicOn())
        system->playMusic();
    g.toggleMark(3);
    std::this_thread::sleep_for(400ms);
    const test::Recording r = finish();
    EXPECT_GT(test::toneSeconds(r, 2200.0), 0.2);
    EXPECT_EQ(test::toneSeconds(r, toneOf(SoundId::Start)), 0.0);
    EXPECT_EQ(test::toneSeconds(r, toneOf(SoundId::Marked)), 0.0);
}

TEST_F(SoundWave, MusicResumesWhereItStopped)
{
    useSkin(false);
    system->playMusic();
    std::this_thread::sleep_for(700ms);
    system->stopMusic();
    std::this_thread::sleep_for(400ms);
    system->playMusic();
    std::this_thread::sleep_for(250ms);
    const test::Recording r = finish();
    // It left off in its second step; a restart would bring back the first step.
    const double firstStep = test::toneSeconds(r, 2200.0);
    const double secondStep = test::toneSeconds(r, 2600.0);
    EXPECT_NEAR(firstStep, 0.5, 0.1) << "the first step plays once only";
    EXPECT_GT(secondStep, 0.35);
    EXPECT_EQ(test::toneSeconds(r, 3400.0), 0.0);
}

TEST_F(SoundWave, AnEffectStillPlayingIsNotRestartedNorDoubled)
{
    useSkin(false);
    system->playSound(SoundId::Win);
    std::this_thread::sleep_for(100ms);
    system->playSound(SoundId::Win);
    std::this_thread::sleep_for(400ms);
    system->playSound(SoundId::Win); // finished by now: plays again
    std::this_thread::sleep_for(400ms);
    const test::Recording r = finish();
    EXPECT_NEAR(test::toneSeconds(r, toneOf(SoundId::Win)), 0.5, 0.1);
    EXPECT_LT(test::toneLevel(r, toneOf(SoundId::Win), 0.0, 10.0), 0.4);
}

TEST_F(SoundWave, ARestingDeviceWritesNothingUntilTheNextSoundWakesIt)
{
    useSkin(false);
    const auto written = [] { return std::filesystem::file_size(test::soundOutputPath()); };
    system->playSound(SoundId::Safe);
    EXPECT_FALSE(system->rest()) << "the caller must look again once the sound ends";
    EXPECT_FALSE(system->resting()) << "a sound still plays";
    std::this_thread::sleep_for(400ms);
    const auto idle = written();
    std::this_thread::sleep_for(300ms);
    EXPECT_GT(written(), idle) << "an open device mixes silence";
    EXPECT_TRUE(system->rest());
    ASSERT_TRUE(system->resting());
    const auto rested = written();
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(written(), rested) << "a resting device mixes nothing";
    system->playSound(SoundId::Safe);
    EXPECT_FALSE(system->resting());
    // The music keeps the device awake for as long as it plays; only a music command ends it.
    system->playMusic();
    EXPECT_TRUE(system->rest());
    EXPECT_FALSE(system->resting());
    system->shutdownSound();
}

TEST_F(SoundWave, EmptyAndInvalidSlotsAreSilentAndTheOthersPlay)
{
    useSkin(true);
    system->playSound(SoundId::Start);
    system->playSound(SoundId::Win);
    system->playSound(SoundId::Marked);
    system->playSound(SoundId::Question);
    EXPECT_FALSE(system->hasSound(SoundId::Start));
    EXPECT_FALSE(system->hasSound(SoundId::Win));
    EXPECT_FALSE(system->hasSound(SoundId::Question));
    EXPECT_TRUE(system->hasSound(SoundId::Marked));
    std::this_thread::sleep_for(350ms);
    const test::Recording r = finish();
    EXPECT_EQ(test::toneSeconds(r, toneOf(SoundId::Start)), 0.0);
    EXPECT_EQ(test::toneSeconds(r, toneOf(SoundId::Win)), 0.0);
    EXPECT_EQ(test::toneSeconds(r, toneOf(SoundId::Question)), 0.0);
    EXPECT_GT(test::toneSeconds(r, toneOf(SoundId::Marked)), 0.15);
    EXPECT_TRUE(messages.shown.empty());
}

// The device follows the skin's finest sound: a 23 kHz tone recorded at 48 kHz, applied over a
// skin of 11 kHz sounds with the device already open, is heard as itself (mixed at 11 kHz, or at
// the library's usual 44.1 kHz, it could not be: it lies above those rates' half).
TEST_F(SoundWave, ASkinOfFinerSoundsIsMixedAtItsOwnRate)
{
    useSkin(false);
    system->playSound(SoundId::Start);
    std::this_thread::sleep_for(300ms);
    SkinPackage finer;
    finer.setInfoText(3, "Finer");
    finer.setSoundBytes(static_cast<int>(SoundId::Marked), tone(23000.0, 0.25, 48000));
    skins->applySkin(finer);
    system->reloadSounds();
    system->playSound(SoundId::Marked);
    std::this_thread::sleep_for(350ms);
    const test::Recording r = finish();
    EXPECT_EQ(r.rate, 48000);
    EXPECT_GT(test::toneSeconds(r, 23000.0), 0.15);
    EXPECT_TRUE(messages.shown.empty());
}

// The built-in music's last and first 0.4 s, joined as its loop joins them: OpenAL plays on
// across the join without a gap.
TEST_F(SoundWave, TheBuiltInMusicPlaysOnAcrossItsLoopPoint)
{
    const auto builtIn = SkinPackage::fromBuiltIn(builtInSkinPackage());
    ASSERT_TRUE(builtIn.has_value());
    const auto music = builtIn->soundBytes(static_cast<int>(SoundId::Music));
    WaveReader reader;
    ASSERT_EQ(reader.open(music.data(), music.size()), WaveStatus::Ok);
    std::vector<std::uint8_t> data(reader.dataSize());
    std::size_t copied = 0;
    ASSERT_EQ(reader.read(data.data(), data.size(), &copied), WaveStatus::Ok);
    const std::uint32_t rate = reader.format().samplesPerSecond;
    const auto part = static_cast<std::ptrdiff_t>(rate * 4 / 10 * 2);
    std::vector<std::uint8_t> join(data.end() - part, data.end());
    join.insert(join.end(), data.begin(), data.begin() + part);
    SkinPackage package;
    package.setSoundBytes(static_cast<int>(SoundId::Music), test::pcmWave(join, 1, rate, 16));
    useSkinBytes(package.bytes());
    system->playMusic();
    std::this_thread::sleep_for(800ms);
    const test::Recording r = finish();

    const auto quiet = [](float s) { return std::abs(s) < 1e-3F; };
    const auto begin = std::find_if_not(r.samples.begin(), r.samples.end(), quiet);
    ASSERT_GT(r.samples.end() - begin, r.rate * 7 / 10);
    std::ptrdiff_t run = 0;
    std::ptrdiff_t longest = 0;
    for (auto s = begin; s != begin + r.rate * 7 / 10; ++s) {
        run = quiet(*s) ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    EXPECT_LT(longest, r.rate * 3 / 1000) << "a gap of " << longest << " samples";
}

// Run in its own process with no usable back end (see the test list).
TEST(SoundWithoutDevice, TheMessageAppearsOnceAndTheGameGoesOnSilent)
{
    MemorySettingsStore settings;
    const std::vector<std::uint8_t> skin = testSkin(false);
    NoPopup popup;
    SkinStore skins(skin, settings, ".", popup);
    test::RecordingMessages messages;
    SoundSystem system(skins, messages);
    system.playSound(SoundId::Start);
    system.playMusic();
    system.stopMusic();
    system.reloadSounds();
    system.playSound(SoundId::Win);
    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_EQ(messages.shown[0].text,
              "Sound has been disabled. An audio output device (PulseAudio, "
              "PipeWire or ALSA) is required to enable sound.");
    EXPECT_EQ(messages.shown[0].caption, "Kubrix Sound");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Information);
    EXPECT_FALSE(system.deviceOpen());
}

} // namespace
} // namespace kubrix
