// A game wired to an in-memory store, a manual clock and recording doubles.
#pragma once

#include "core/base/clock.h"
#include "core/base/memory_settings_store.h"
#include "core/game/game.h"
#include "support/recording_services.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

namespace kubrix::test {

class GameFixture : public ::testing::Test {
protected:
    // Builds the game over whatever the test planted in the store.
    Game& start()
    {
        game = std::make_unique<Game>(GameServices{store, clock, statistics, sound, host});
        game->initFromSettings();
        game->setObserver(&observer);
        return *game;
    }

    // A running game on a row of cubes along x, bombs where asked, its clock at the given
    // seconds; counts are those of the bombs.
    void playRow(int length, std::initializer_list<int> bombs, int level = 0,
                 std::uint32_t seconds = 10)
    {
        std::vector<Cube> cubes(static_cast<std::size_t>(length));
        for (const int b : bombs)
            cubes[std::size_t(b)].bomb = 1;
        for (int x = 0; x < length; ++x) {
            int count = 0;
            for (const int n : {x - 1, x + 1})
                if (n >= 0 && n < length)
                    count += cubes[std::size_t(n)].bomb;
            cubes[std::size_t(x)].neighbourBombs = static_cast<std::uint8_t>(count);
        }
        ASSERT_TRUE(game->restoreGame(seconds, level, length, 1, 1, int(bombs.size()), 0, cubes));
        sound.played.clear();
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
    RecordingSoundPlayer sound;
    FakeGameHost host;
    RecordingObserver observer;
    std::unique_ptr<Game> game;
};

} // namespace kubrix::test
