// The game's sound effects and looping music through OpenAL: one buffer and one source per
// sound of the current skin.
#pragma once

#include "core/base/messages.h"
#include "core/game/sound_player.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

struct ALCdevice_struct;
struct ALCcontext_struct;

namespace kubrix {

class SkinStore;

class SoundSystem final : public SoundPlayer {
public:
    static constexpr const char* kDisabledMessage =
        "Sound has been disabled. An audio output device (PulseAudio, PipeWire or ALSA) is "
        "required to enable sound.";
    static constexpr const char* kCaption = "Kubrix Sound";

    // Nothing is opened until the first sound, the first music start or the first reload.
    SoundSystem(SkinStore& skins, Messages& messages);
    ~SoundSystem() override;
    SoundSystem(const SoundSystem&) = delete;
    SoundSystem& operator=(const SoundSystem&) = delete;

    // An effect still playing is neither restarted nor doubled; a finished one plays again.
    void playSound(SoundId id) override;
    // Loops; after stopMusic it continues where it stopped.
    void playMusic() override;
    void stopMusic() override;
    // OpenAL Soft mixes silence for an open device without end; a paused device costs
    // nothing. Pauses it when no source plays (where the library can pause a device). While
    // the music plays the device cannot rest, and stopping the music is a command of its own.
    bool rest() override;
    // Rebuilds the nine buffers from the current skin; a slot that is empty, not a wave file
    // or in a format OpenAL refuses stays silent. The device mixes at the rate of the skin's
    // finest sound: higher would only cost, lower would lose what the skin holds.
    void reloadSounds();
    // Releases every buffer and the device; the system stays silent afterwards.
    void shutdownSound();

    bool deviceOpen() const { return device_ != nullptr; }
    bool resting() const { return resting_; }
    bool hasSound(SoundId id) const { return present_[static_cast<std::size_t>(id)]; }

private:
    // One sound of the skin, checked and decoded, before OpenAL holds it.
    struct Decoded {
        int format = 0;
        int rate = 0;
        std::vector<std::uint8_t> samples;
    };
    using DecodedSkin = std::array<std::optional<Decoded>, kSoundCount>;

    static DecodedSkin decodeCurrentSkin(SkinStore& skins);
    void install(const DecodedSkin& sounds);
    void mixAt(int rate);
    // Opens the default device once; on failure says so once and stays silent.
    bool ensureDevice();
    // Resumes a resting device before a source starts.
    void wake();
    void releaseBuffer(std::size_t index);

    SkinStore& skins_;
    Messages& messages_;
    bool tried_ = false;
    bool shutDown_ = false;
    // OpenAL's own handle types, named by their structs so this header needs no AL headers.
    ALCdevice_struct* device_ = nullptr;
    ALCcontext_struct* context_ = nullptr;
    // The device pause entry points, when the library has them.
    void (*pauseDevice_)(ALCdevice_struct*) = nullptr;
    void (*resumeDevice_)(ALCdevice_struct*) = nullptr;
    // Changes a device's attributes in place, buffers and sources kept, when the library can.
    char (*resetDevice_)(ALCdevice_struct*, const int*) = nullptr;
    bool resting_ = false;
    std::array<std::uint32_t, kSoundCount> buffers_{};
    std::array<std::uint32_t, kSoundCount> sources_{};
    std::array<bool, kSoundCount> present_{};
};

} // namespace kubrix
