// No-guess boards and hints in play: what the first exposure draws, what a hint lights, and what
// a hinted game may still claim.
#include "core/game/levels.h"
#include "core/game/play_out.h"
#include "support/game_fixture.h"

namespace kubrix {
namespace {

class NoGuessPlay : public test::GameFixture {
protected:
    void SetUp() override { start(); }

    static std::vector<bool> bombsOf(const Board& board)
    {
        std::vector<bool> layout;
        for (const Cube& cube : board.cubes())
            layout.push_back(cube.bomb != 0);
        return layout;
    }
};

// Every won game here took hints: each counts, none claims a fastest time.
TEST_F(NoGuessPlay, HintsTellTheTruthAndANoGuessBoardIsWonByHintsAlone)
{
    int won = 0;
    for (const bool noGuess : {false, true}) {
        game->setNoGuessBoards(noGuess);
        for (std::uint32_t seed = 1; seed <= 90; ++seed) {
            clock.set(seed * 7919U);
            game->selectLevel(int(seed % 3));
            EXPECT_FALSE(game->giveHint()) << "no hint before the game runs";
            game->expose(int(seed * 31U) % game->board().cubeCount());
            // A wrong mark, which no hint may lean on.
            if (const auto safe = cubesWhere([](const Cube& c) { return c.covered && !c.bomb; });
                !safe.empty())
                game->toggleMark(safe.back());
            while (game->running() && game->giveHint()) {
                const Deduction hint = *game->litHint();
                const Cube& cube = game->board().cube(hint.cube);
                ASSERT_TRUE(cube.bomb == hint.bomb && cube.covered) << "seed " << seed;
                for (const int reason : hint.reasons)
                    ASSERT_EQ(game->board().cube(reason).covered, 0) << "reason " << reason;
                if (hint.bomb)
                    break;
                if (cube.marked != 0)
                    game->toggleMark(hint.cube); // a '?' keeps no click off
                game->expose(hint.cube);
                EXPECT_FALSE(game->litHint().has_value()) << "a move puts the hint out";
            }
            EXPECT_FALSE(game->lost());
            EXPECT_TRUE(game->ended() || !noGuess) << "seed " << seed << ": won by hints alone";
            won += game->ended() ? 1 : 0;
        }
    }
    EXPECT_EQ(statistics.gamesWon(), won);
    EXPECT_EQ(host.recordDialogs, 0);
    game->restartSame();
    game->expose(0);
    for (const int cube : cubesWhere([](const Cube& c) { return c.covered && !c.bomb; }))
        game->expose(cube);
    EXPECT_EQ(host.recordDialogs, 1) << "a game without hints may claim one again";
}

// Off, the first exposure draws what the classic draw gives on the same tick; on, a board the
// solver clears alone, the same one on the same tick, unless none can exist (62 bombs in 64
// cubes): then the classic board, and the observer hears of it.
TEST_F(NoGuessPlay, TheFirstExposureDrawsClassicOrNoGuessBoardsOnTheSameTickAlike)
{
    const struct {
        int noGuess, side, bombs, first;
        bool classic;
    } cases[] = {
        {0, 8, 60, 100, true}, {1, 6, 23, 7, false}, {1, 8, 60, 0, false}, {1, 4, 62, 21, true}};
    // A search that gives up has used its whole budget, none of it the player's.
    observer.whileSearching = [&] { clock.advance(2500); };
    for (const auto& c : cases) {
        store.writeInt("Startup", "NoGuess", c.noGuess);
        const int fallbacks = observer.noGuessFallbacks;
        std::vector<bool> drawn[2];
        for (auto& bombs : drawn) {
            clock.set(4242);
            game->newGame(kLevelCustom, c.side, c.side, c.side, c.bombs);
            game->expose(c.first);
            EXPECT_EQ(game->elapsedSeconds(), 0U) << c.side;
            bombs = bombsOf(game->board());
        }
        // The classic draw after a search that gave up comes on the tick the search ended.
        clock.set(c.noGuess && c.classic ? 4242 + 2500 : 4242);
        Board classic(clock);
        classic.generate(c.side, c.side, c.side, c.bombs, c.first);
        EXPECT_EQ(drawn[0] == bombsOf(classic), c.classic) << c.side;
        EXPECT_EQ(drawn[0], drawn[1]);
        EXPECT_EQ(std::count(drawn[0].begin(), drawn[0].end(), true), c.bombs);
        EXPECT_EQ(clearsWithoutGuess(c.side, c.side, c.side, drawn[0], c.first), !c.classic);
        EXPECT_EQ(observer.noGuessFallbacks - fallbacks, c.noGuess && c.classic ? 2 : 0);
    }
}

} // namespace
} // namespace kubrix
