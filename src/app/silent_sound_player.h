// The sound output the program has until it gets one: every effect and the music are silent.
#pragma once

#include "audio/sound_player.h"

namespace kubrix {

// Replaced by the OpenAL sound system; the game's rules already call it at every event.
class SilentSoundPlayer final : public SoundPlayer {
public:
    void playSound(SoundId /*id*/) override {}
    void playMusic() override {}
    void stopMusic() override {}
};

} // namespace kubrix
