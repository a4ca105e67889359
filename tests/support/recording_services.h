// Recording doubles of the seams the game rules call out through.
#pragma once

#include "core/game/game.h"
#include "core/game/game_host.h"
#include "core/game/game_observer.h"
#include "core/game/sound_player.h"

#include <functional>
#include <vector>

namespace kubrix::test {

class RecordingSoundPlayer final : public SoundPlayer {
public:
    void playSound(SoundId id) override
    {
        played.push_back(id);
        if (onPlay)
            onPlay();
    }
    void playMusic() override { ++musicStarts; }
    void stopMusic() override { ++musicStops; }

    std::vector<SoundId> played;
    // Called as each effect plays: the first one opens the device, or says there is none.
    std::function<void()> onPlay;
    int musicStarts = 0;
    int musicStops = 0;
};

class RecordingObserver final : public GameObserver {
public:
    void gameStateChanged() override { ++stateChanges; }
    void tutorialBoardSetUp() override { ++tutorialBoards; }
    void noGuessBoardUnavailable() override
    {
        ++noGuessFallbacks;
        if (whileSearching)
            whileSearching();
    }

    int stateChanges = 0;
    int tutorialBoards = 0;
    int noGuessFallbacks = 0;
    // Runs when a search for a no-guess board gave up: the time the search took.
    std::function<void()> whileSearching;
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

    bool tutorialGameFlag = false;
    bool tutorialRunningFlag = false;
    int recordDialogs = 0;
    std::function<void(Game&)> onRecordEntry;
};

} // namespace kubrix::test
