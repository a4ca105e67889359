// The overlay of a 600 x 400 frame: face, counters and banner where the layout puts them.
#include "platform/gl/render_rig.h"

namespace kubrix::test {
namespace {

using Overlay = RenderRig;

// At 600 x 400 every piece is 42 pixels high (8/75 of the shorter side). Widths follow each
// picture's proportions on the atlas: the time counter (opening end 21, five digits of 19,
// separator 7, closing end 10) spans 133 pixels from the left edge, the bomb counter (outer end
// 42, three digits of 19, inner end 10) 109 pixels from the right edge. The banners are
// 216 (lost) and 238 (won) pixels wide.
constexpr int kPiece = 42;
constexpr int kTimeEnd = 133;
constexpr int kBombStart = kFrameWidth - 109;
constexpr int kLostBannerWidth = 216;
constexpr int kWonBannerWidth = 238;

struct Box {
    int left = kFrameWidth;
    int top = kFrameHeight;
    int right = 0;
    int bottom = 0;
};

// The smallest box around the pixels that differ inside the given region.
Box changedBox(const Frame& a, const Frame& b, int left, int top, int right, int bottom)
{
    Box box;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (!a.sameAt(b, x, y)) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
    return box;
}

TEST_F(Overlay, PutsFaceAndCountersAlongTheTopEdge)
{
    playBoard(4, 4, 4, blockWithBombs(4, 4, 4, {{0, 0, 0}}));
    const Frame background = renderBackground();
    const Frame frame = render();

    const Box face = changedBox(frame, background, 140, 0, 485, kPiece + 20);
    EXPECT_GE(face.left, 279);
    EXPECT_LE(face.right, 321);
    EXPECT_EQ(face.top, 0);
    EXPECT_LE(face.bottom, kPiece);
    EXPECT_GT(frame.differences(background, 290, 10, 310, 32), 200) << "the face itself";

    const Box time = changedBox(frame, background, 0, 0, 140, kPiece + 20);
    EXPECT_LE(time.left, 2) << "the time counter starts at the left edge";
    EXPECT_EQ(time.top, 0);
    EXPECT_GE(time.right, kTimeEnd - 3);
    EXPECT_LE(time.right, kTimeEnd);
    EXPECT_GE(time.bottom, kPiece - 3);
    EXPECT_LE(time.bottom, kPiece);

    const Box bombs = changedBox(frame, background, 470, 0, kWidth, kPiece + 20);
    EXPECT_GE(bombs.left, kBombStart);
    EXPECT_LE(bombs.left, kBombStart + 3);
    EXPECT_GE(bombs.right, kWidth - 2) << "the bomb counter ends at the right edge";
    EXPECT_LE(bombs.bottom, kPiece);

    EXPECT_EQ(frame.differences(background, 0, kHeight - kPiece, kWidth, kHeight), 0)
        << "no banner while the game runs";
}

TEST_F(Overlay, CountersFollowTheClockAndTheMarks)
{
    playBoard(4, 4, 4, blockWithBombs(4, 4, 4, {{0, 0, 0}}));
    const Frame start = render();
    clock.advance(61'000);
    const Frame minuteLater = render();
    EXPECT_GT(minuteLater.differences(start, 0, 0, kTimeEnd, kPiece), 0);
    EXPECT_EQ(minuteLater.differences(start, kTimeEnd, 0, kWidth, kHeight), 0);

    ASSERT_EQ(game->toggleMark(indexIn4(0, 0, 0)), 1);
    const Frame marked = render();
    EXPECT_GT(marked.differences(minuteLater, kBombStart, 0, kWidth, kPiece), 0);
    EXPECT_EQ(marked.differences(minuteLater, 0, 0, kBombStart, kPiece), 0);
}

TEST_F(Overlay, ShowsTheBannerOfTheOutcomeCentredAtTheBottom)
{
    const auto cubes = blockWithBombs(4, 4, 4, {{0, 0, 0}, {3, 3, 3}});
    const Frame background = renderBackground();

    playBoard(4, 4, 4, cubes);
    ASSERT_EQ(game->expose(indexIn4(0, 0, 0)), 1);
    ASSERT_TRUE(game->lost());
    const Frame lost = render();
    const Box lostBanner = changedBox(lost, background, 0, kHeight - kPiece - 20, kWidth, kHeight);
    EXPECT_GE(lostBanner.left, kWidth / 2 - kLostBannerWidth / 2);
    EXPECT_LE(lostBanner.right, kWidth / 2 + kLostBannerWidth / 2);
    EXPECT_GE(lostBanner.top, kHeight - kPiece);
    EXPECT_GT(lost.differences(background, 250, kHeight - 30, 350, kHeight - 10), 100);

    // A cube far from both bombs has none around it, and its flood reaches every safe cube.
    playBoard(4, 4, 4, cubes);
    ASSERT_EQ(game->expose(indexIn4(2, 2, 0)), 1);
    ASSERT_TRUE(game->ended());
    ASSERT_FALSE(game->lost());
    const Frame won = render();
    const Box wonBanner = changedBox(won, background, 0, kHeight - kPiece - 20, kWidth, kHeight);
    EXPECT_GE(wonBanner.left, kWidth / 2 - kWonBannerWidth / 2);
    EXPECT_LE(wonBanner.right, kWidth / 2 + kWonBannerWidth / 2);
    EXPECT_GE(wonBanner.top, kHeight - kPiece);
    EXPECT_GT(won.differences(lost, 250, kHeight - kPiece, 350, kHeight), 100)
        << "the won banner is another picture";
}

} // namespace
} // namespace kubrix::test
