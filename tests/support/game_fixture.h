// A game wired to an in-memory store, a manual clock and recording doubles.
#pragma once

#include "core/base/clock.h"
#include "core/base/memory_settings_store.h"
#include "core/game/game.h"
#include "support/recording_services.h"

#include <gtest/gtest.h>

#include <memory>

namespace kubrix::test {

class GameFixture : public ::testing::Test {
protected:
    // Builds the game over whatever the test planted in the store.
    Game& start()
    {
        game = std::make_unique<Game>(
            GameServices{store, clock, statistics, viewRotation, sound, textures, host});
        game->initFromSettings();
        return *game;
    }

    // Every cube of the current board that satisfies the predicate.
    template <typename Predicate> std::vector<int> cubesWhere(Predicate predicate) const
    {
        std::vector<int> found;
        const auto& cubes = game->board().cubes();
        for (std::size_t i = 0; i < cubes.size(); ++i)
            if (predicate(cubes[i]))
                found.push_back(static_cast<int>(i));
        return found;
    }

    MemorySettingsStore store;
    ManualClock clock{50000};
    Statistics statistics;
    Quaternion viewRotation;
    RecordingSoundPlayer sound;
    RecordingTextureCache textures;
    FakeGameHost host;
    std::unique_ptr<Game> game;
};

} // namespace kubrix::test
