// Reading back what OpenAL's wave back end wrote, and finding tones in it.
#pragma once

#include "core/formats/wave_reader.h"

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace kubrix::test {

// Where the wave back end writes; the file is complete once the device is closed.
std::filesystem::path soundOutputPath();

struct Recording {
    int rate = 0;
    std::vector<float> samples; // mono, -1..1
};

inline Recording readRecording()
{
    std::ifstream file(soundOutputPath(), std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                          std::istreambuf_iterator<char>());
    Recording recording;
    WaveReader reader;
    if (failed(reader.open(bytes.data(), bytes.size())) || reader.format().bitsPerSample != 16)
        return recording;
    std::vector<std::uint8_t> data(reader.dataSize());
    std::size_t copied = 0;
    reader.read(data.data(), data.size(), &copied);
    recording.rate = static_cast<int>(reader.format().samplesPerSecond);
    const int channels = reader.format().channels;
    for (std::size_t i = 0; i + 2 * std::size_t(channels) <= copied; i += 2 * std::size_t(channels))
        recording.samples.push_back(
            static_cast<float>(static_cast<std::int16_t>(data[i] | data[i + 1] << 8)) / 32768.0F);
    return recording;
}

// The strength of one frequency over a stretch of the recording (Goertzel).
inline double toneLevel(const Recording& r, double hz, double fromSeconds, double toSeconds)
{
    const auto from = static_cast<std::size_t>(std::max(0.0, fromSeconds * r.rate));
    const auto to = std::min(r.samples.size(), static_cast<std::size_t>(toSeconds * r.rate));
    if (to <= from)
        return 0.0;
    const double w = 2.0 * 3.14159265358979 * hz / r.rate;
    const double c = 2.0 * std::cos(w);
    double s1 = 0.0;
    double s2 = 0.0;
    for (std::size_t i = from; i < to; ++i) {
        const double s0 = r.samples[i] + c * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    const double power = s1 * s1 + s2 * s2 - c * s1 * s2;
    return std::sqrt(std::max(0.0, power)) / double(to - from);
}

// Seconds (from the start of the recording) during which the tone is clearly present.
inline double toneSeconds(const Recording& r, double hz)
{
    constexpr double kStep = 0.02;
    double seconds = 0.0;
    const double length = double(r.samples.size()) / std::max(1, r.rate);
    for (double t = 0.0; t + kStep <= length; t += kStep)
        if (toneLevel(r, hz, t, t + kStep) > 0.05)
            seconds += kStep;
    return seconds;
}

// The first moment the tone is present, or -1.
inline double toneStart(const Recording& r, double hz)
{
    constexpr double kStep = 0.02;
    const double length = double(r.samples.size()) / std::max(1, r.rate);
    for (double t = 0.0; t + kStep <= length; t += kStep)
        if (toneLevel(r, hz, t, t + kStep) > 0.05)
            return t;
    return -1.0;
}

} // namespace kubrix::test
