// What the game rules need of sound playback: the skin's effects and its looping music.
#pragma once

namespace kubrix {

// Equal to the index within the SOUND group of a skin package.
enum class SoundId {
    GameOver = 0,
    HiScore = 1,
    Marked = 2,
    Question = 3,
    Safe = 4,
    Start = 5,
    Unmark = 6,
    Win = 7,
    Music = 8,
};

inline constexpr int kSoundCount = 9;

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Effects 0..7: started once; an effect still playing is neither restarted nor doubled.
    virtual void playSound(SoundId id) = 0;
    // Loops the music; after stopMusic it continues where it stopped.
    virtual void playMusic() = 0;
    virtual void stopMusic() = 0;
    // Called now and then while the game waits: lets the output sleep while nothing plays.
    // The next sound wakes it. False while an effect still playing alone is all that keeps
    // the output awake, so that the caller asks again soon; true when nothing will change
    // until the next sound or music command.
    virtual bool rest() { return true; }
};

} // namespace kubrix
