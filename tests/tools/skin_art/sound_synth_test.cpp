// The built-in skin's synthesised sounds: their file format, level, length and the music loop.
#include "core/formats/wave_reader.h"
#include "skin_art/sound_synth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kubrix {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Samples = std::vector<std::int16_t>;
constexpr int kRate = 22050;
constexpr int kMusic = 8;
constexpr int kSafe = 4;

struct Decoded {
    WaveFormat format;
    Samples samples;
};

Decoded decode(const Bytes& file)
{
    WaveReader reader;
    Decoded decoded;
    EXPECT_EQ(reader.open(file.data(), file.size()), WaveStatus::Ok);
    decoded.format = reader.format();
    Bytes data(reader.dataSize());
    std::size_t copied = 0;
    EXPECT_EQ(reader.read(data.data(), data.size(), &copied), WaveStatus::Ok);
    for (std::size_t i = 0; i + 1 < copied; i += 2)
        decoded.samples.push_back(static_cast<std::int16_t>(data[i] | data[i + 1] << 8));
    return decoded;
}

// Root mean square of the samples between first and last, on a scale where full level is 1.
double rms(const Samples& samples, std::size_t first, std::size_t last)
{
    double sum = 0.0;
    for (std::size_t i = first; i < last; ++i) {
        const double level = samples[i] / 32768.0;
        sum += level * level;
    }
    return last > first ? std::sqrt(sum / static_cast<double>(last - first)) : 0.0;
}

int peakDeviation(const Samples& samples)
{
    int peak = 0;
    for (const std::int16_t sample : samples) {
        peak = std::max(peak, std::abs(int(sample)));
    }
    return peak;
}

// Every sound synthesised once; the music takes a moment to make.
const std::vector<Bytes>& allSounds()
{
    static const std::vector<Bytes> sounds = [] {
        std::vector<Bytes> made;
        for (int slot = 0; slot < 9; ++slot) {
            made.push_back(synthesiseSound(slot));
        }
        return made;
    }();
    return sounds;
}

TEST(SoundSynth, TableListsTheNineSlotsInOrder)
{
    const char* const names[] = {"gameover.wav", "hiscore.wav", "marked.wav",
                                 "question.wav", "safe.wav",    "start.wav",
                                 "unmark.wav",   "win.wav",     "music.wav"};
    ASSERT_EQ(defaultSounds().size(), 9U);
    for (int slot = 0; slot < 9; ++slot) {
        EXPECT_EQ(defaultSounds()[static_cast<std::size_t>(slot)].slot, slot);
        EXPECT_EQ(std::string(defaultSounds()[static_cast<std::size_t>(slot)].fileName),
                  names[slot]);
    }
    EXPECT_TRUE(synthesiseSound(-1).empty());
    EXPECT_TRUE(synthesiseSound(9).empty());
}

TEST(SoundSynth, EverySoundIsAnAudibleUnclippedSixteenBitMonoWave)
{
    for (int slot = 0; slot < 9; ++slot) {
        SCOPED_TRACE(slot);
        const Bytes& file = allSounds()[static_cast<std::size_t>(slot)];
        ASSERT_GE(file.size(), 44U);
        // The RIFF length accounts for the whole file, pad byte included.
        const std::uint32_t riffLength = file[4] | (file[5] << 8) | (file[6] << 16) |
                                         (static_cast<std::uint32_t>(file[7]) << 24);
        EXPECT_EQ(riffLength + 8U, file.size());
        EXPECT_EQ(std::string(file.begin() + 12, file.begin() + 16), "fmt ");
        EXPECT_EQ(file[16], 16); // a 16-byte format chunk

        const Decoded sound = decode(file);
        EXPECT_EQ(sound.format.formatTag, 1);
        EXPECT_EQ(sound.format.channels, 1);
        EXPECT_EQ(sound.format.samplesPerSecond, 22050U);
        EXPECT_EQ(sound.format.averageBytesPerSecond, 44100U);
        EXPECT_EQ(sound.format.blockAlign, 2);
        EXPECT_EQ(sound.format.bitsPerSample, 16);
        ASSERT_FALSE(sound.samples.empty());

        const Samples& samples = sound.samples;
        EXPECT_GT(rms(samples, 0, samples.size()), 0.02);
        const auto clipped = std::count_if(samples.begin(), samples.end(),
                                           [](std::int16_t s) { return std::abs(s) >= 32767; });
        EXPECT_LE(static_cast<double>(clipped), 0.001 * static_cast<double>(samples.size()));
        if (slot != kMusic) {
            // Starting and stopping at silence: no click at either edge.
            EXPECT_LE(std::abs(samples.front()), 64);
            EXPECT_LE(std::abs(samples.back()), 64);
            EXPECT_LE(samples.size(), 2U * kRate + kRate / 4);
        }
    }
}

TEST(SoundSynth, SafeClickIsShortAndQuieterThanTheOtherEffects)
{
    const Samples safe = decode(allSounds()[kSafe]).samples;
    EXPECT_LE(safe.size(), static_cast<std::size_t>(kRate / 10));
    for (int slot = 0; slot < kMusic; ++slot) {
        if (slot != kSafe) {
            SCOPED_TRACE(slot);
            const Samples other = decode(allSounds()[static_cast<std::size_t>(slot)]).samples;
            EXPECT_LT(peakDeviation(safe), peakDeviation(other));
            EXPECT_LT(safe.size(), other.size());
        }
    }
}

TEST(SoundSynth, MusicLoopsForAboutEightyEightSecondsWithoutASeam)
{
    const Samples music = decode(allSounds()[kMusic]).samples;
    EXPECT_NEAR(static_cast<double>(music.size()) / kRate, 88.0, 1.0);
    ASSERT_GT(music.size(), static_cast<std::size_t>(4 * kRate));

    // The join: the end runs into the start with no bigger step than any two neighbours have
    // elsewhere, and a quarter second either side of it is as loud as the music around.
    int steepest = 0;
    for (std::size_t i = 1; i < music.size(); ++i)
        steepest = std::max(steepest, std::abs(music[i] - music[i - 1]));
    EXPECT_LE(std::abs(music.front() - music.back()), steepest);
    const std::size_t quarter = kRate / 4;
    EXPECT_GT(rms(music, music.size() - quarter, music.size()), 0.02);
    EXPECT_GT(rms(music, 0, quarter), 0.02);

    // It plays all through: no two-second stretch falls silent.
    const std::size_t window = 2 * kRate;
    for (std::size_t first = 0; first + window <= music.size(); first += window) {
        SCOPED_TRACE(first / kRate);
        EXPECT_GT(rms(music, first, first + window), 0.02);
    }
}

TEST(SoundSynth, SynthesisIsRepeatable)
{
    for (int slot = 0; slot < 9; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(synthesiseSound(slot), allSounds()[static_cast<std::size_t>(slot)]);
    }
}

TEST(SoundSynth, WritesTheNineFilesUnderTheirNames)
{
    const std::filesystem::path folder =
        std::filesystem::path(::testing::TempDir()) /
        ("kubrix_sounds_" +
         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::filesystem::remove_all(folder);
    ASSERT_TRUE(writeDefaultSounds((folder / "skin").string()));
    for (const DefaultSound& sound : defaultSounds()) {
        SCOPED_TRACE(sound.fileName);
        std::ifstream file(folder / "skin" / sound.fileName, std::ios::binary);
        const Bytes written{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        EXPECT_EQ(written, allSounds()[static_cast<std::size_t>(sound.slot)]);
    }

    // A folder that cannot exist, because a file stands in its place.
    std::ofstream(folder / "blocker").put('x');
    EXPECT_FALSE(writeDefaultSounds((folder / "blocker" / "skin").string()));
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace kubrix
