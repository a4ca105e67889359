// Synthesises the built-in skin's nine sounds as wave files.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kubrix {

struct DefaultSound {
    int slot; // the sound's index within the skin's SOUND group
    const char* fileName;
};

// In slot order: GAMEOVER, HISCORE, MARKED, QUESTION, SAFE, START, UNMARK, WIN, MUSIC.
const std::array<DefaultSound, 9>& defaultSounds();

// The complete bytes of a RIFF WAVE file: PCM, one channel, 16-bit signed little-endian samples,
// 22050 samples per second, a 16-byte "fmt " chunk. Empty for a slot outside 0..8. The same slot
// always gives the same bytes. The music is made to loop: its end runs on into its start.
std::vector<std::uint8_t> synthesiseSound(int slot);

// Writes every sound under its file name into folder (created if missing).
bool writeDefaultSounds(const std::string& folder);

} // namespace kubrix
