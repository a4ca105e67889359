// Synthesises the built-in skin's nine sounds by additive synthesis with envelopes.
#include "skin_art/sound_synth.h"

#include "core/base/atomic_file.h"
#include "core/base/little_endian.h"
#include "core/game/sound_player.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iterator>

namespace kubrix {

namespace {

constexpr int kRate = 22050;
constexpr double kTwoPi = 6.283185307179586;

using Signal = std::vector<double>;

Signal silence(double seconds)
{
    return Signal(static_cast<std::size_t>(std::lround(seconds * kRate)), 0.0);
}

double noteHz(int midiNote)
{
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

// A timbre and its envelope: amplitudes of harmonics 1, 2, ...; a linear attack, an exponential
// fall towards the sustain level, and a linear release once the note's length is over.
struct Voice {
    std::vector<double> harmonics;
    double attack = 0.005;
    double decay = 0.2;
    double sustain = 0.0;
    double release = 0.03;
    double vibrato = 0.0; // depth as a fraction of the frequency, at 5 Hz
};

struct Note {
    double start = 0.0;  // seconds
    double length = 0.1; // seconds before the release begins
    double hz = 440.0;
    double level = 1.0;
    double glideTo = 0.0; // frequency reached at the end of the length; 0 for a steady pitch
};

// A looping signal takes what sounds past its end at its start, where it will be heard when the
// loop comes round.
enum class Ending { Cut, Loop };

void addNote(Signal& out, const Voice& voice, const Note& note, Ending ending = Ending::Cut)
{
    const auto first = static_cast<std::size_t>(std::lround(note.start * kRate));
    const auto count = static_cast<std::size_t>((note.length + voice.release) * kRate);
    double phase = 0.0; // in cycles, kept in 0..1 so that long notes keep their precision
    for (std::size_t i = 0; i < count && (ending == Ending::Loop || first + i < out.size()); ++i) {
        const double t = static_cast<double>(i) / kRate;
        double envelope = t < voice.attack
                              ? t / voice.attack
                              : voice.sustain + (1.0 - voice.sustain) *
                                                    std::exp(-(t - voice.attack) / voice.decay);
        if (t > note.length) {
            envelope *= 1.0 - (t - note.length) / voice.release;
        }
        double hz = note.hz;
        if (note.glideTo > 0.0) {
            hz *= std::pow(note.glideTo / note.hz, std::min(t / note.length, 1.0));
        }
        hz *= 1.0 + voice.vibrato * std::sin(kTwoPi * 5.0 * t);
        phase = std::fmod(phase + hz / kRate, 1.0);
        double sample = 0.0;
        for (std::size_t k = 0; k < voice.harmonics.size(); ++k) {
            const auto partial = static_cast<double>(k + 1);
            // Harmonics above the Nyquist limit would fold back as off-key whistles.
            if (partial * hz < 0.45 * kRate) {
                sample += voice.harmonics[k] * std::sin(kTwoPi * partial * phase);
            }
        }
        out[(first + i) % out.size()] += note.level * envelope * sample;
    }
}

// White noise from the start of the sound through two one-pole low-pass filters whose cutoff
// falls from startHz towards endHz. The seed is fixed so that every build makes the same bytes.
struct Burst {
    double length = 0.1;
    double level = 1.0;
    double attack = 0.002;
    double decay = 0.05; // time constant of the level
    double startHz = 3000.0;
    double endHz = 300.0;
    double sweep = 0.1; // time constant of the cutoff
    std::uint32_t seed = 1;
};

void addBurst(Signal& out, const Burst& burst)
{
    const auto count = std::min(out.size(), static_cast<std::size_t>(burst.length * kRate));
    const double taper = std::min(0.02, burst.length / 4.0);
    std::uint32_t state = burst.seed;
    double low1 = 0.0;
    double low2 = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        const double white = static_cast<double>(state) / 2147483648.0 - 1.0;
        const double cutoff =
            burst.endHz + (burst.startHz - burst.endHz) * std::exp(-t / burst.sweep);
        const double smoothing = 1.0 - std::exp(-kTwoPi * cutoff / kRate);
        low1 += smoothing * (white - low1);
        low2 += smoothing * (low1 - low2);
        const double envelope = std::min({1.0, t / burst.attack, (burst.length - t) / taper}) *
                                std::exp(-t / burst.decay);
        out[i] += burst.level * envelope * low2;
    }
}

void putId(std::vector<std::uint8_t>& out, const char* id)
{
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(id[i]));
    }
}

// Scales the loudest sample to peak (below 1, so nothing clips) and wraps the signal in a RIFF
// WAVE file of 16-bit signed samples. An effect fades in and out at its edges so that starting
// and stopping never click; a loop keeps its edges, which join each other.
std::vector<std::uint8_t> toWave(const Signal& signal, double peak, double fadeOut = 0.005,
                                 Ending ending = Ending::Cut)
{
    const double loudest = std::abs(
        *std::ranges::max_element(signal, {}, [](double sample) { return std::abs(sample); }));
    const double gain = loudest > 0.0 ? peak / loudest : 0.0;
    constexpr double kFadeIn = 0.004;
    constexpr std::uint32_t kBytes = 2;
    const auto length = static_cast<std::uint32_t>(signal.size()) * kBytes;

    std::vector<std::uint8_t> out;
    out.reserve(44 + length);
    putId(out, "RIFF");
    appendLe32(out, 4 + (8 + 16) + (8 + length));
    putId(out, "WAVE");
    putId(out, "fmt ");
    appendLe32(out, 16);
    appendLe16(out, 1); // PCM
    appendLe16(out, 1); // one channel
    appendLe32(out, kRate);
    appendLe32(out, kRate * kBytes); // bytes a second
    appendLe16(out, kBytes);         // block alignment
    appendLe16(out, 8 * kBytes);     // bits a sample
    putId(out, "data");
    appendLe32(out, length);
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double left = static_cast<double>(signal.size() - 1 - i) / kRate;
        const double edge =
            ending == Ending::Loop ? 1.0 : std::min({1.0, t / kFadeIn, left / fadeOut});
        const long level =
            std::clamp(std::lround(32767.0 * gain * edge * signal[i]), -32767L, 32767L);
        appendLe16(out, static_cast<std::uint16_t>(level));
    }
    return out;
}

const Voice kBrass{{1.0, 0.7, 0.5, 0.35, 0.22, 0.14, 0.08}, 0.02, 0.3, 0.65, 0.08, 0.004};

std::vector<std::uint8_t> startSound()
{
    Signal out = silence(0.55);
    const Voice bell{{1.0, 0.4, 0.2, 0.1}, 0.004, 0.15, 0.2, 0.05};
    const int notes[] = {72, 76, 79, 84};
    for (int i = 0; i < 4; ++i) {
        addNote(out, bell, {0.08 * i, i == 3 ? 0.25 : 0.1, noteHz(notes[i]), 1.0});
    }
    return toWave(out, 0.75, 0.02);
}

std::vector<std::uint8_t> safeSound()
{
    // Heard at every exposure, so it stays short, soft and low in brightness.
    Signal out = silence(0.08);
    addNote(out, {{1.0, 0.15}, 0.002, 0.018, 0.0, 0.02}, {0.0, 0.055, 900.0, 1.0, 420.0});
    addBurst(out, {0.012, 0.25, 0.001, 0.004, 2500.0, 1500.0, 0.01, 7});
    return toWave(out, 0.3);
}

std::vector<std::uint8_t> markedSound()
{
    // A wooden block rings at inharmonic modes; the higher ones die away sooner.
    Signal out = silence(0.12);
    const double body = 196.0;
    const double modes[][3] = {{1.0, 1.0, 0.035}, {2.57, 0.45, 0.018}, {4.18, 0.25, 0.01}};
    for (const auto& mode : modes) {
        const double hz = body * mode[0];
        addNote(out, {{1.0}, 0.001, mode[2], 0.0, 0.025}, {0.0, 0.09, hz, mode[1], hz * 0.97});
    }
    addBurst(out, {0.02, 0.5, 0.0005, 0.004, 1800.0, 900.0, 0.01, 11});
    return toWave(out, 0.75);
}

std::vector<std::uint8_t> questionSound()
{
    Signal out = silence(0.2);
    const Voice blip{{1.0, 0.3, 0.1}, 0.004, 0.05, 0.35, 0.02};
    addNote(out, blip, {0.0, 0.07, noteHz(76), 0.9});
    addNote(out, blip, {0.09, 0.085, noteHz(83), 1.0});
    return toWave(out, 0.6);
}

std::vector<std::uint8_t> unmarkSound()
{
    Signal out = silence(0.15);
    addNote(out, {{1.0, 0.2}, 0.006, 0.06, 0.25, 0.03}, {0.0, 0.115, 880.0, 1.0, 520.0});
    return toWave(out, 0.5);
}

std::vector<std::uint8_t> gameOverSound()
{
    Signal out = silence(1.5);
    // The blast: bright noise whose brightness and level fall quickly ...
    addBurst(out, {1.5, 1.0, 0.002, 0.22, 4000.0, 300.0, 0.12, 3});
    // ... then dark noise that rumbles on under a falling thump.
    addBurst(out, {1.5, 6.0, 0.03, 0.6, 250.0, 120.0, 0.4, 5});
    addNote(out, {{1.0, 0.4, 0.15}, 0.005, 0.3, 0.0, 0.2}, {0.0, 1.2, 75.0, 0.7, 35.0});
    return toWave(out, 0.9, 0.3);
}

std::vector<std::uint8_t> winSound()
{
    Signal out = silence(1.2);
    const int run[] = {67, 72, 76, 79};
    for (int i = 0; i < 4; ++i) {
        addNote(out, kBrass, {0.1 * i, 0.07, noteHz(run[i]), 0.8});
    }
    for (const int note : {60, 64, 67, 72, 84}) {
        addNote(out, kBrass, {0.42, 0.65, noteHz(note), note == 84 ? 0.9 : 0.45});
    }
    addNote(out, kBrass, {0.42, 0.65, noteHz(48), 0.6});
    return toWave(out, 0.85, 0.1);
}

std::vector<std::uint8_t> hiScoreSound()
{
    Signal out = silence(2.0);
    // Three calls, a held answer, a climb, and a full chord over a deep bass.
    for (int i = 0; i < 3; ++i) {
        addNote(out, kBrass, {0.11 * i, 0.07, noteHz(67), 0.7});
    }
    addNote(out, kBrass, {0.33, 0.22, noteHz(72), 0.85});
    addNote(out, kBrass, {0.33, 0.22, noteHz(64), 0.45});
    const int climb[] = {67, 72, 76};
    for (int i = 0; i < 3; ++i) {
        addNote(out, kBrass, {0.62 + 0.14 * i, 0.1, noteHz(climb[i]), 0.8});
    }
    for (const int note : {60, 67, 72, 76, 79, 84}) {
        addNote(out, kBrass, {1.06, 0.75, noteHz(note), note == 84 ? 0.9 : 0.4});
    }
    addNote(out, kBrass, {1.06, 0.75, noteHz(48), 0.6});
    addNote(out, kBrass, {1.06, 0.75, noteHz(36), 0.5});
    return toWave(out, 0.85, 0.12);
}

// 36 bars of 4/4 fill 88 seconds exactly (about 98 beats a minute), so the loop comes back to
// its first bar on the beat. The last bar plays as full as any other and its notes ring on into
// the first, so the loop has no seam to hear.
constexpr int kMusicBars = 36;
constexpr double kBar = 88.0 / kMusicBars;
constexpr double kEighth = kBar / 8.0;

// One letter a bar: C major, A minor, F major, G major, D minor, E minor. Two rounds of four
// phrases, then a phrase that leads back to the start.
constexpr const char* kProgression = "CAFGCADGFGEADFGG"
                                     "CAFGCADGFGEADFGG"
                                     "FGAG";

struct Chord {
    char name;
    int bass;
    int tones[3]; // voiced close together so that the pad moves little from chord to chord
};

constexpr Chord kChords[] = {{'C', 48, {60, 64, 67}}, {'A', 45, {60, 64, 69}},
                             {'F', 41, {60, 65, 69}}, {'G', 43, {59, 62, 67}},
                             {'D', 38, {62, 65, 69}}, {'E', 40, {59, 64, 67}}};

const Chord& chordOf(char name)
{
    return *std::find_if(std::begin(kChords), std::end(kChords),
                         [name](const Chord& chord) { return chord.name == name; });
}

// One melody for each of the four phrases of a round: pairs of a note and its length in
// eighths, played one after the other; a length of 0 ends the melody early.
constexpr int kMelodies[4][28] = {
    {76, 3, 74, 1, 72, 2, 76, 2, 81, 4, 79, 2, 76, 2,
     77, 3, 81, 1, 79, 2, 77, 2, 74, 3, 76, 1, 74, 4},
    {79, 2, 76, 2, 79, 2, 84, 2, 81, 3, 79, 1, 76, 4,
     77, 2, 81, 2, 84, 2, 81, 2, 83, 3, 81, 1, 79, 4},
    {81, 3, 79, 1, 77, 2, 72, 2, 74, 2, 79, 2, 83, 3,
     81, 1, 79, 4, 76, 2, 71, 2, 72, 2, 76, 2, 81, 4},
    {77, 3, 76, 1, 74, 2, 77, 2, 81, 3, 79, 1, 77, 2, 81, 2, 79, 6, 77, 1, 76, 1, 74, 8},
};

std::vector<std::uint8_t> musicSound()
{
    Signal out = silence(88.0);
    const Voice pad{{1.0, 0.0, 0.11, 0.0, 0.04}, 0.35, 1.2, 0.6, 0.45};
    const Voice bass{{1.0, 0.45, 0.2}, 0.012, 0.35, 0.35, 0.08};
    const Voice pluck{{1.0, 0.25, 0.08}, 0.004, 0.16, 0.0, 0.06};
    const Voice lead{{1.0, 0.0, 0.11, 0.0, 0.04}, 0.03, 0.5, 0.55, 0.15, 0.004};
    const int pattern[8] = {0, 1, 2, 3, 2, 1, 2, 1};

    const auto play = [&out](const Voice& voice, const Note& note) {
        addNote(out, voice, note, Ending::Loop);
    };

    for (int bar = 0; bar < kMusicBars; ++bar) {
        const Chord chord = chordOf(kProgression[bar]);
        const double start = bar * kBar;
        for (const int tone : chord.tones) {
            play(pad, {start, kBar - 0.1, noteHz(tone), 0.07});
        }
        for (int beat = 0; beat < 2; ++beat) {
            play(bass, {start + 4 * beat * kEighth, 3 * kEighth, noteHz(chord.bass), 0.22});
        }
        for (int step = 0; step < 8; ++step) {
            const int index = pattern[step];
            const int tone = index == 3 ? chord.tones[0] + 24 : chord.tones[index] + 12;
            play(pluck, {start + step * kEighth, 0.2, noteHz(tone), 0.05});
        }
    }
    // The melody rests in the first phrase, so the music opens quietly, and in the last.
    for (int phrase = 1; phrase < kMusicBars / 4 - 1; ++phrase) {
        const double start = phrase * 4 * kBar;
        const int* melody = kMelodies[phrase % 4];
        for (int i = 0, eighth = 0; i < 28 && melody[i + 1] > 0; i += 2) {
            const Note note{start + eighth * kEighth, melody[i + 1] * kEighth - 0.05,
                            noteHz(melody[i]), 0.2};
            play(lead, note);
            // A soft echo a quarter note later gives the melody some room.
            play(lead, {note.start + 2 * kEighth, note.length, note.hz, 0.05});
            eighth += melody[i + 1];
        }
    }
    return toWave(out, 0.7, 0.0, Ending::Loop);
}

} // namespace

const std::array<DefaultSound, 9>& defaultSounds()
{
    static constexpr std::array<DefaultSound, 9> kSounds{{
        {static_cast<int>(SoundId::GameOver), "gameover.wav"},
        {static_cast<int>(SoundId::HiScore), "hiscore.wav"},
        {static_cast<int>(SoundId::Marked), "marked.wav"},
        {static_cast<int>(SoundId::Question), "question.wav"},
        {static_cast<int>(SoundId::Safe), "safe.wav"},
        {static_cast<int>(SoundId::Start), "start.wav"},
        {static_cast<int>(SoundId::Unmark), "unmark.wav"},
        {static_cast<int>(SoundId::Win), "win.wav"},
        {static_cast<int>(SoundId::Music), "music.wav"},
    }};
    return kSounds;
}

std::vector<std::uint8_t> synthesiseSound(int slot)
{
    using Maker = std::vector<std::uint8_t> (*)();
    // In slot order.
    constexpr Maker kMakers[] = {gameOverSound, hiScoreSound, markedSound, questionSound, safeSound,
                                 startSound,    unmarkSound,  winSound,    musicSound};
    if (slot < 0 || slot >= static_cast<int>(std::size(kMakers))) {
        return {};
    }
    return kMakers[slot]();
}

bool writeDefaultSounds(const std::string& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    bool written = true;
    for (const DefaultSound& sound : defaultSounds()) {
        written = writeFileAtomically(std::filesystem::path(folder) / sound.fileName,
                                      synthesiseSound(sound.slot)) &&
                  written;
    }
    return written;
}

} // namespace kubrix
