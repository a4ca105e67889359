// No-guess boards and hints in play: what the first exposure draws, what a hint lights, and what
// a hinted game may still claim.
#include "core/base/settings_table.h"
#include "core/game/levels.h"
#include "core/game/play_out.h"
#include "support/game_fixture.h"

#include <gtest/gtest.h>

namespace kubrix {
namespace {

using test::GameFixture;

class NoGuessPlay : public GameFixture {
protected:
    void SetUp() override { start(); }

    static std::vector<bool> bombsOf(const Board& board)
    {
        std::vector<bool> layout;
        for (const Cube& cube : board.cubes())
            layout.push_back(cube.bomb != 0);
        return layout;
    }

    // The board the classic draw gives around the first cube at the clock's tick.
    std::vector<bool> classicBombs(int side, int bombs, int first) const
    {
        Board classic(clock);
        classic.generate(side, side, side, bombs, first);
        return bombsOf(classic);
    }

    // Takes hints and exposes the cubes they prove safe until the game ends or no safe cube is
    // provable; every hint must tell the truth about a covered cube and rest on exposed numbers.
    void playByHints()
    {
        while (game->running() && game->giveHint()) {
            const Deduction hint = *game->litHint();
            const Board& board = game->board();
            ASSERT_EQ(board.cube(hint.cube).bomb != 0, hint.bomb) << "cube " << hint.cube;
            ASSERT_NE(board.cube(hint.cube).covered, 0);
            for (const int reason : hint.reasons)
                ASSERT_EQ(board.cube(reason).covered, 0) << "reason " << reason;
            if (hint.bomb)
                return;
            // Our own wrong mark: a '?' no longer keeps a click off.
            if (board.cube(hint.cube).marked != 0)
                game->toggleMark(hint.cube);
            game->expose(hint.cube);
            EXPECT_FALSE(game->litHint().has_value()) << "a move puts the hint out";
        }
    }
};

TEST_F(NoGuessPlay, HintsTellTheTruthAndANoGuessBoardIsWonByHintsAlone)
{
    for (const bool noGuess : {false, true}) {
        game->setNoGuessBoards(noGuess);
        for (std::uint32_t seed = 1; seed <= 90; ++seed) {
            clock.set(seed * 7919U);
            game->selectLevel(int(seed % 3));
            EXPECT_FALSE(game->giveHint()) << "no hint before the game runs";
            const int first = int(seed * 31U) % game->board().cubeCount();
            game->expose(first);
            // A wrong mark on a safe cube that no hint may lean on.
            const auto safe = cubesWhere([](const Cube& c) { return c.covered && !c.bomb; });
            if (safe.size() > 1)
                game->toggleMark(safe.back());
            playByHints();
            EXPECT_FALSE(game->lost()) << "seed " << seed;
            EXPECT_TRUE(game->ended() || !noGuess) << "seed " << seed << ": won by hints alone";
        }
    }
    EXPECT_EQ(observer.noGuessFallbacks, 0);
}

TEST_F(NoGuessPlay, AHintedGameCountsButSetsNoFastestTime)
{
    game->setNoGuessBoards(true);
    clock.set(12345);
    game->selectLevel(kLevelBeginner);
    game->expose(0);
    ASSERT_TRUE(game->running());
    ASSERT_TRUE(game->giveHint());
    const int hinted = game->litHint()->cube;
    game->toggleMark(hinted);
    EXPECT_FALSE(game->litHint().has_value()) << "a mark is a move too";
    game->toggleMark(hinted); // a '?', which a click exposes
    for (const int cube : cubesWhere([](const Cube& c) { return c.covered && !c.bomb; }))
        game->expose(cube);
    ASSERT_TRUE(game->ended());
    EXPECT_FALSE(game->lost());
    EXPECT_TRUE(game->hintUsed());
    EXPECT_EQ(host.recordDialogs, 0);
    EXPECT_EQ(game->face().value(), FaceState::kWon);
    EXPECT_EQ(statistics.gamesPlayed(), 1);
    EXPECT_EQ(statistics.gamesWon(), 1);

    game->restartSame();
    EXPECT_FALSE(game->hintUsed()) << "the next game may claim a fastest time again";
    game->expose(0);
    for (const int cube : cubesWhere([](const Cube& c) { return c.covered && !c.bomb; }))
        game->expose(cube);
    EXPECT_EQ(host.recordDialogs, 1);
}

TEST_F(NoGuessPlay, OffTheFirstExposureDrawsTheClassicBoardOnTheSameTick)
{
    for (const bool written : {false, true}) {
        if (written)
            game->setNoGuessBoards(false);
        clock.set(777);
        game->selectLevel(kLevelExpert);
        game->expose(100);
        EXPECT_EQ(bombsOf(game->board()), classicBombs(8, 60, 100));
    }
    EXPECT_EQ(store.readInt("Startup", "NoGuess", -1), 0);
}

TEST_F(NoGuessPlay, OnTheBoardNeedsNoGuessAndComesOutTheSameOnTheSameTick)
{
    game->setNoGuessBoards(true);
    EXPECT_EQ(store.readInt("Startup", "NoGuess", -1), 1);
    std::vector<bool> drawn;
    for (int round = 0; round < 2; ++round) {
        clock.set(4242);
        game->selectLevel(kLevelIntermediate);
        game->expose(7);
        const std::vector<bool> bombs = bombsOf(game->board());
        EXPECT_TRUE(clearsWithoutGuess(6, 6, 6, bombs, 7));
        EXPECT_EQ(cubesWhere([](const Cube& c) { return c.bomb != 0; }).size(), 23U);
        EXPECT_TRUE(round == 0 || bombs == drawn);
        drawn = bombs;
    }
}

// 62 bombs in 64 cubes can never be played without a guess (see the generator's tests).
TEST_F(NoGuessPlay, ABoardTooDenseForNoGuessStartsAsAClassicOneAndSaysSo)
{
    game->setNoGuessBoards(true);
    clock.set(999);
    game->newGame(kLevelCustom, 4, 4, 4, 62);
    game->expose(21);
    EXPECT_EQ(observer.noGuessFallbacks, 1);
    EXPECT_FALSE(game->lost());
    EXPECT_EQ(game->board().cube(21).covered, 0);
    EXPECT_EQ(bombsOf(game->board()), classicBombs(4, 62, 21));
    EXPECT_EQ(statistics.gamesPlayed(), 1);
}

} // namespace
} // namespace kubrix
