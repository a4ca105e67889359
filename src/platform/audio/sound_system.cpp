// The game's sound effects and looping music through OpenAL.
#include "platform/audio/sound_system.h"

#include "core/formats/wave_reader.h"
#include "core/skin/skin_store.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <algorithm>
#include <vector>

namespace kubrix {

namespace {

constexpr std::size_t kMusic = static_cast<std::size_t>(SoundId::Music);

// The OpenAL format of a PCM wave, or 0 when OpenAL has none for it.
ALenum alFormatOf(const WaveFormat& format)
{
    if (format.formatTag != WaveReader::kPcmTag)
        return 0;
    if (format.channels == 1 && format.bitsPerSample == 8)
        return AL_FORMAT_MONO8;
    if (format.channels == 1 && format.bitsPerSample == 16)
        return AL_FORMAT_MONO16;
    if (format.channels == 2 && format.bitsPerSample == 8)
        return AL_FORMAT_STEREO8;
    if (format.channels == 2 && format.bitsPerSample == 16)
        return AL_FORMAT_STEREO16;
    return 0;
}

constexpr int kLowestMixRate = 8000;
constexpr int kHighestMixRate = 192000;

// The device's attributes: the mixing rate (none: the library's choice) and no output limiter.
// The limiter is a compressor that works sample by sample in the log domain and costs more
// than the mixing itself, for as long as the music plays; skins' sounds are mastered below
// full scale, so only a rare pile-up of loud effects would reach the clipping it prevents.
std::array<ALCint, 5> deviceAttributes(ALCdevice* device, int rate)
{
    std::array<ALCint, 5> attributes{};
    std::size_t next = 0;
    if (alcIsExtensionPresent(device, "ALC_SOFT_output_limiter") == ALC_TRUE) {
        attributes[next++] = ALC_OUTPUT_LIMITER_SOFT;
        attributes[next++] = ALC_FALSE;
    }
    if (rate > 0) {
        attributes[next++] = ALC_FREQUENCY;
        attributes[next++] = rate;
    }
    return attributes;
}

} // namespace

SoundSystem::SoundSystem(SkinStore& skins, Messages& messages) : skins_(skins), messages_(messages)
{
}

SoundSystem::~SoundSystem()
{
    shutdownSound();
}

bool SoundSystem::ensureDevice()
{
    if (device_ != nullptr)
        return true;
    if (tried_ || shutDown_)
        return false;
    tried_ = true;
    device_ = alcOpenDevice(nullptr);
    if (device_ != nullptr) {
        context_ = alcCreateContext(device_, deviceAttributes(device_, 0).data());
        if (context_ != nullptr && alcMakeContextCurrent(context_) == ALC_TRUE) {
            alGenSources(kSoundCount, sources_.data());
            if (alGetError() == AL_NO_ERROR) {
                alSourcei(sources_[kMusic], AL_LOOPING, AL_TRUE);
                if (alcIsExtensionPresent(device_, "ALC_SOFT_pause_device") == ALC_TRUE) {
                    pauseDevice_ = reinterpret_cast<LPALCDEVICEPAUSESOFT>(
                        alcGetProcAddress(device_, "alcDevicePauseSOFT"));
                    resumeDevice_ = reinterpret_cast<LPALCDEVICERESUMESOFT>(
                        alcGetProcAddress(device_, "alcDeviceResumeSOFT"));
                }
                if (alcIsExtensionPresent(device_, "ALC_SOFT_HRTF") == ALC_TRUE)
                    resetDevice_ = reinterpret_cast<LPALCRESETDEVICESOFT>(
                        alcGetProcAddress(device_, "alcResetDeviceSOFT"));
                install(decodeCurrentSkin(skins_));
                return true;
            }
        }
        if (context_ != nullptr) {
            alcMakeContextCurrent(nullptr);
            alcDestroyContext(context_);
            context_ = nullptr;
        }
        alcCloseDevice(device_);
        device_ = nullptr;
    }
    messages_.show(kDisabledMessage, kCaption, MessageIcon::Information, MessageButtons::Ok);
    return false;
}

void SoundSystem::reloadSounds()
{
    // Opening the device loads the skin's sounds.
    if (device_ == nullptr) {
        ensureDevice();
        return;
    }
    install(decodeCurrentSkin(skins_));
}

SoundSystem::DecodedSkin SoundSystem::decodeCurrentSkin(SkinStore& skins)
{
    const SkinPackage& skin = skins.currentSkin();
    DecodedSkin sounds;
    for (std::size_t i = 0; i < kSoundCount; ++i) {
        const auto bytes = skin.soundBytes(static_cast<int>(i));
        WaveReader reader;
        if (bytes.empty() || failed(reader.open(bytes.data(), bytes.size())))
            continue;
        const ALenum format = alFormatOf(reader.format());
        // A header claiming more samples than the slot holds marks a damaged sound; it stays
        // silent, and no buffer is sized from the claim.
        if (format == 0 || reader.dataSize() == 0 || reader.dataPresent() < reader.dataSize())
            continue;
        Decoded sound{format, static_cast<int>(reader.format().samplesPerSecond),
                      std::vector<std::uint8_t>(reader.dataSize())};
        std::size_t copied = 0;
        if (sound.rate <= 0 ||
            failed(reader.read(sound.samples.data(), sound.samples.size(), &copied)) ||
            copied != sound.samples.size())
            continue;
        sounds[i] = std::move(sound);
    }
    return sounds;
}

void SoundSystem::install(const DecodedSkin& sounds)
{
    for (std::size_t i = 0; i < kSoundCount; ++i)
        releaseBuffer(i);
    int finest = 0;
    for (const auto& sound : sounds)
        if (sound)
            finest = std::max(finest, sound->rate);
    // A damaged header may claim any rate; the device keeps within what mixers offer.
    if (finest > 0)
        mixAt(std::clamp(finest, kLowestMixRate, kHighestMixRate));
    for (std::size_t i = 0; i < kSoundCount; ++i) {
        if (!sounds[i])
            continue;
        const Decoded& sound = *sounds[i];
        alGetError();
        alGenBuffers(1, &buffers_[i]);
        alBufferData(buffers_[i], sound.format, sound.samples.data(),
                     static_cast<ALsizei>(sound.samples.size()), sound.rate);
        if (alGetError() != AL_NO_ERROR) {
            alDeleteBuffers(1, &buffers_[i]);
            buffers_[i] = 0;
            continue;
        }
        alSourcei(sources_[i], AL_BUFFER, static_cast<ALint>(buffers_[i]));
        present_[i] = true;
    }
}

void SoundSystem::mixAt(int rate)
{
    if (rate <= 0 || resetDevice_ == nullptr)
        return;
    ALCint current = 0;
    alcGetIntegerv(device_, ALC_FREQUENCY, 1, &current);
    if (current != rate)
        resetDevice_(device_, deviceAttributes(device_, rate).data());
}

void SoundSystem::releaseBuffer(std::size_t index)
{
    if (!present_[index])
        return;
    // A buffer cannot be deleted while a source still holds it.
    alSourceStop(sources_[index]);
    alSourcei(sources_[index], AL_BUFFER, 0);
    alDeleteBuffers(1, &buffers_[index]);
    buffers_[index] = 0;
    present_[index] = false;
}

void SoundSystem::playSound(SoundId id)
{
    const auto i = static_cast<std::size_t>(id);
    if (i >= kSoundCount || !ensureDevice() || !present_[i])
        return;
    ALint state = AL_STOPPED;
    alGetSourcei(sources_[i], AL_SOURCE_STATE, &state);
    if (state != AL_PLAYING) {
        wake();
        alSourcePlay(sources_[i]);
    }
}

bool SoundSystem::rest()
{
    if (device_ == nullptr || resting_ || pauseDevice_ == nullptr || resumeDevice_ == nullptr)
        return true;
    bool effectPlaying = false;
    for (std::size_t i = 0; i < kSoundCount; ++i) {
        ALint state = AL_STOPPED;
        alGetSourcei(sources_[i], AL_SOURCE_STATE, &state);
        if (state != AL_PLAYING)
            continue;
        if (i == kMusic)
            return true;
        effectPlaying = true;
    }
    if (effectPlaying)
        return false;
    pauseDevice_(device_);
    resting_ = true;
    return true;
}

void SoundSystem::wake()
{
    if (!resting_)
        return;
    resumeDevice_(device_);
    resting_ = false;
}

void SoundSystem::playMusic()
{
    playSound(SoundId::Music);
}

void SoundSystem::stopMusic()
{
    if (!ensureDevice() || !present_[kMusic])
        return;
    // Pausing keeps the position, so the next start continues the tune.
    alSourcePause(sources_[kMusic]);
}

void SoundSystem::shutdownSound()
{
    shutDown_ = true;
    if (device_ == nullptr)
        return;
    for (std::size_t i = 0; i < kSoundCount; ++i)
        releaseBuffer(i);
    alDeleteSources(kSoundCount, sources_.data());
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context_);
    alcCloseDevice(device_);
    context_ = nullptr;
    device_ = nullptr;
    resting_ = false;
}

} // namespace kubrix
