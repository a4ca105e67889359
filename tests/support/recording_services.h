// Recording doubles of the seams the game rules call out through.
#pragma once

#include "core/game/game.h"
#include "core/game/game_host.h"
#include "core/game/sound_player.h"
#include "core/game/texture_cache.h"

#include <functional>
#include <vector>

namespace kubrix::test {

class RecordingSoundPlayer final : public SoundPlayer {
public:
    void playSound(SoundId id) override { played.push_back(id); }
    void playMusic() override { ++musicStarts; }
    void stopMusic() override { ++musicStops; }

    std::vector<SoundId> played;
    int musicStarts = 0;
    int musicStops = 0;
};

class RecordingTextureCache final : public TextureCache {
public:
    void invalidate() override { ++invalidations; }
    void setSmoothTextures(bool on) override { smooth = on; }

    int invalidations = 0;
    bool smooth = false;
};

class FakeGameHost final : public GameHost {
public:
    bool tutorialGame() const override { return tutorialGameFlag; }
    bool tutorialRunning() const override { return tutorialRunningFlag; }
    void showRecordEntry(Game& game) override
    {
        ++recordDialogs;
        if (onRecordEntry)
            onRecordEntry(game);
    }
    Colour boardTint() const override { return tint; }

    bool tutorialGameFlag = false;
    bool tutorialRunningFlag = false;
    int recordDialogs = 0;
    std::function<void(Game&)> onRecordEntry;
    Colour tint{0.83F, 0.82F, 0.78F, 0.0F};
};

} // namespace kubrix::test
