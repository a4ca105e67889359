// The tutorial's script played on the real game rules with a clock the test moves.
#include "core/tutorial/tutorial_placement.h"
#include "core/tutorial/tutorial_player.h"
#include "support/game_fixture.h"

#include <optional>
#include <string_view>

namespace kubrix::test {
namespace {

// Next is enabled by the page being done, and disabled by a new page.
class RecordingView final : public TutorialView {
public:
    void showPage(const TutorialPage& page) override { shown = page.title, nextEnabled = false; }
    void enableNext() override { nextEnabled = true; }
    void enterFinishMode() override { nextEnabled = finish = true; }

    std::string_view shown;
    bool nextEnabled = false;
    bool finish = false;
};

class TutorialScript : public GameFixture {
protected:
    static constexpr std::uint32_t kTickMs = 200;

    void SetUp() override
    {
        start();
        host.tutorialRunningFlag = true;
        game->setupTutorialBoard();
        player.emplace(*game, rotation, view);
        player->start(clock.now());
    }

    // Ticks as the main window's timer does until "Next >>" is enabled, and returns how long
    // after the page appeared that happened (none within the limit).
    std::optional<std::uint32_t> tickUntilDone(std::uint32_t limitMs = 10000)
    {
        const std::uint32_t shown = clock.now();
        while (clock.now() - shown <= limitMs) {
            clock.advance(kTickMs);
            player->tick(clock.now());
            if (view.nextEnabled)
                return clock.now() - shown;
        }
        return std::nullopt;
    }

    // Plays every page before this one to its end, as a reader pressing "Next >>" would.
    void playUpTo(int page)
    {
        while (player->page() < page) {
            ASSERT_TRUE(tickUntilDone()) << "page " << player->page();
            ASSERT_TRUE(player->next(clock.now()));
        }
    }

    // Ticks until the page is done, listing what the observation showed, each change once.
    template <typename Observe> auto changesUntilDone(Observe observe)
    {
        std::vector<decltype(observe())> seen{observe()};
        for (int tick = 0; tick < 60 && !view.nextEnabled; ++tick) {
            clock.advance(kTickMs);
            player->tick(clock.now());
            if (seen.back() != observe())
                seen.push_back(observe());
        }
        return seen;
    }

    const Cube& cube(int index) const { return game->board().cube(index); }

    Quaternion rotation = kTutorialO0;
    RecordingView view;
    std::optional<TutorialPlayer> player;
};

TEST_F(TutorialScript, EachPageOffersNextOnceItsMovesAreDone)
{
    // Ticks every 200 ms: pages without moves are done at the first tick, a cube page on the
    // tick of its last move (the first after 800 + 1600 per further move), a turn page on the
    // tick after the one that found the turn's 3200 ms over.
    const std::uint32_t expected[kTutorialPageCount] = {200,  200,  800,  800, 4200,
                                                        4400, 4400, 5800, 200};
    for (int page = 0; page < kTutorialPageCount; ++page) {
        ASSERT_EQ(player->page(), page);
        EXPECT_EQ(view.shown, tutorialPage(page).title);
        EXPECT_FALSE(view.nextEnabled) << "page " << page << " starts with Next disabled";
        EXPECT_EQ(tickUntilDone(), expected[page]) << "page " << page;
        EXPECT_EQ(view.finish, page == kTutorialLastPage) << "page " << page;
        if (page < kTutorialLastPage) {
            ASSERT_TRUE(player->next(clock.now()));
        }
    }
    EXPECT_TRUE(player->finishMode());
    EXPECT_FALSE(player->next(clock.now())) << "Finish closes instead of turning the page";
}

TEST_F(TutorialScript, ExposingPageHighlightsCube60ThenExposesItAndFloods)
{
    playUpTo(2);
    const std::uint32_t shown = clock.now();
    clock.set(shown + 600);
    EXPECT_TRUE(player->tick(clock.now())) << "a page with moves repaints the board";
    EXPECT_EQ(game->hoverIndex(), 60);
    EXPECT_EQ(cube(60).covered, 1);
    EXPECT_FALSE(game->running());

    clock.set(shown + 800);
    player->tick(clock.now());
    EXPECT_EQ(cube(60).covered, 0);
    EXPECT_TRUE(game->running()) << "the clock starts with the first exposure";
    EXPECT_EQ(cube(1).covered, 0) << "the empty region opens through the block";
    EXPECT_EQ(cube(42).covered, 0) << "with its numbered border";
    EXPECT_EQ(cube(63).covered, 1) << "a cube with no empty neighbour stays covered";
    EXPECT_EQ(cube(59).covered, 1) << "the bomb beside it stays covered";
    EXPECT_EQ(cube(59).bomb, 1) << "the tutorial board is never regenerated";
    EXPECT_EQ(statistics.gamesPlayed(), 0) << "the tutorial game counts for nothing";
}

TEST_F(TutorialScript, MarkingPagesFlagCube20AndCycleCube16BackToPlain)
{
    // The page shows the whole cycle even to a player who turned question marks off.
    game->toggleQuestionMarks();
    playUpTo(3);
    ASSERT_TRUE(tickUntilDone());
    EXPECT_EQ(cube(20).marked, 1);
    EXPECT_EQ(game->marksPlaced(), 1);

    ASSERT_TRUE(player->next(clock.now()));
    // (marked, suspect): 'X', '?', plain.
    const auto seen = changesUntilDone([&] {
        return std::pair{cube(16).marked, cube(16).suspect};
    });
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {0, 1}, {0, 0}}));
    EXPECT_EQ(game->marksPlaced(), 1) << "only cube 20 stays marked";
}

TEST_F(TutorialScript, TurnPagesSlerpBetweenTheOrientationsAndEndExactlyOnTheTarget)
{
    playUpTo(5);
    game->setHover(7);
    const std::uint32_t shown = clock.now();
    clock.set(shown + 600);
    player->tick(clock.now());
    EXPECT_EQ(game->hoverIndex(), -1) << "no cube is highlighted while the block turns";
    EXPECT_EQ(rotation, kTutorialO0);

    clock.set(shown + 800 + 1600);
    player->tick(clock.now());
    const Quaternion half = slerp(kTutorialO0, kTutorialO1, 0.5F);
    EXPECT_FLOAT_EQ(rotation.x, half.x);
    EXPECT_FLOAT_EQ(rotation.w, half.w);

    ASSERT_TRUE(tickUntilDone());
    EXPECT_EQ(rotation, kTutorialO1);
    ASSERT_TRUE(player->next(clock.now()));
    ASSERT_TRUE(tickUntilDone());
    EXPECT_EQ(rotation, kTutorialO2);
}

TEST_F(TutorialScript, StrategyPageHighlights12And13ThenExposes14And10)
{
    playUpTo(7);
    const auto hovered = changesUntilDone([&] { return game->hoverIndex(); });
    EXPECT_EQ(hovered, (std::vector<int>{-1, 12, 13, 14, 10}));
    EXPECT_EQ(cube(12).covered, 1);
    EXPECT_EQ(cube(13).covered, 1);
    EXPECT_EQ(cube(14).covered, 0);
    EXPECT_EQ(cube(10).covered, 0);
    EXPECT_FALSE(game->ended());
}

TEST_F(TutorialScript, MovesFollowThePageStartAcrossAWrapOfTheTickCounter)
{
    clock.set(0xFFFFFC00U); // page 2 opens 624 ms before the counter wraps
    playUpTo(2);
    ASSERT_GT(player->pageStartTick(), 0xFFFFFC00U);
    for (const auto& [after, covered] : {std::pair{700U, 1}, std::pair{800U, 0}}) {
        player->tick(player->pageStartTick() + after);
        EXPECT_EQ(cube(60).covered, covered) << after;
    }
}

TEST(TutorialPlacement, BesideTheMainWindowOnTheSideWithMoreRoomAndOnTheScreen)
{
    const ScreenRect screen{0, 0, 1280, 1024};
    struct Case {
        ScreenRect main;
        ScreenPoint expected;
    };
    for (const Case c : {
             // Centre in the left half: the tutorial's centre on the right edge, a fifth down.
             Case{{0, 0, 600, 600}, {600 - 220, 120}},
             // Centre in the right half: on the left edge.
             Case{{700, 100, 1200, 600}, {700 - 220, 200}},
             // Exactly in the middle counts as the left half.
             Case{{340, 0, 940, 500}, {940 - 220, 100}},
             // A main window filling the screen keeps the tutorial on it.
             Case{{0, 0, 1280, 1024}, {1280 - 440, 1024 / 5}},
             Case{{-300, 900, 200, 1100}, {0, 1024 - 200}},
         })
        EXPECT_EQ(tutorialWindowPosition(c.main, screen, 440, 200), c.expected)
            << c.main.left << "," << c.main.top;
    EXPECT_EQ(tutorialWindowPosition({2000, 0, 2600, 600}, {1280, 0, 2560, 1024}, 440, 200),
              (ScreenPoint{2000 - 220, 120}))
        << "a second screen is measured from its own left edge";
}

} // namespace
} // namespace kubrix::test
