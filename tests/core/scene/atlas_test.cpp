// Checks that the atlas table describes a layout the art and the renderer can both rely on.
#include "core/scene/atlas.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace kubrix {
namespace {

constexpr int kAtlasSize = 512;

bool overlaps(const PixelRect& a, const PixelRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool contains(const AtlasRect& outer, float u, float v)
{
    return u > outer.uLeft && u < outer.uRight && v > outer.vBottom && v < outer.vTop;
}

TEST(AtlasTest, OverlayPicturesLieApartInsideTheTexture)
{
    std::vector<PixelRect> pixels;
    for (int image = 1; image <= 24; ++image) {
        const AtlasRect r = overlayImage(image);
        SCOPED_TRACE(image);
        EXPECT_GE(r.uLeft, 0.0F);
        EXPECT_LE(r.uRight, 1.0F);
        EXPECT_GE(r.vBottom, 0.0F);
        EXPECT_LE(r.vTop, 1.0F);
        EXPECT_LT(r.uLeft, r.uRight);
        EXPECT_GT(r.vTop, r.vBottom);
        pixels.push_back(toPixels(r, kAtlasSize, kAtlasSize));
    }
    for (std::size_t a = 0; a < pixels.size(); ++a)
        for (std::size_t b = a + 1; b < pixels.size(); ++b)
            EXPECT_FALSE(overlaps(pixels[a], pixels[b])) << "pictures " << a + 1 << ", " << b + 1;

    // The background is the top-left quarter.
    const PixelRect background = toPixels(overlayImage(overlay::kBackground), 512, 512);
    EXPECT_EQ(background.left, 0);
    EXPECT_EQ(background.top, 0);
    EXPECT_EQ(background.width(), 256);
    EXPECT_EQ(background.height(), 256);
}

TEST(AtlasTest, UnknownOverlayPictureShowsTheWholeTexture)
{
    for (int image : {0, -3, 25, 1000}) {
        const AtlasRect r = overlayImage(image);
        EXPECT_LE(r.uLeft, 0.0F);
        EXPECT_GE(r.uRight, 1.0F);
        EXPECT_LE(r.vBottom, 0.0F);
        EXPECT_GE(r.vTop, 1.0F);
        const PixelRect p = toPixels(r, kAtlasSize, kAtlasSize);
        EXPECT_EQ(p.left, 0);
        EXPECT_EQ(p.top, 0);
        EXPECT_EQ(p.right, kAtlasSize);
        EXPECT_EQ(p.bottom, kAtlasSize);
    }
}

TEST(AtlasTest, CounterPiecesShareOneRowAndDigitsRunLeftToRight)
{
    const AtlasRect zero = overlayImage(overlay::kFirstDigit);
    for (int image = overlay::kTimeCounterClose; image <= overlay::kFirstDigit + 9; ++image) {
        EXPECT_EQ(overlayImage(image).vTop, zero.vTop) << image;
        EXPECT_EQ(overlayImage(image).vBottom, zero.vBottom) << image;
    }
    for (int digit = 0; digit < 9; ++digit) {
        const AtlasRect left = overlayImage(overlay::kFirstDigit + digit);
        const AtlasRect right = overlayImage(overlay::kFirstDigit + digit + 1);
        EXPECT_EQ(left.uRight, right.uLeft) << digit;
    }
    // The counters are not monospaced: each digit's own span sets its width.
    EXPECT_EQ(scaledWidth(zero, 42), 19);
    EXPECT_EQ(scaledWidth(zero, 0), 0);
    EXPECT_EQ(scaledWidth(AtlasRect{0.0F, 0.5F, 0.25F, 0.5F}, 42), 0);
}

TEST(AtlasTest, FacesAreSquareAndBannersShareTheBottomBand)
{
    for (int face = overlay::kFirstFace; face <= overlay::kLastFace; ++face) {
        const AtlasRect r = overlayImage(face);
        EXPECT_FLOAT_EQ(r.uRight - r.uLeft, r.vTop - r.vBottom) << face;
        EXPECT_EQ(scaledWidth(r, 42), 42) << face;
        const PixelRect p = toPixels(r, kAtlasSize, kAtlasSize);
        EXPECT_EQ(p.width(), p.height()) << face;
    }
    const AtlasRect won = overlayImage(overlay::kWonBanner);
    const AtlasRect lost = overlayImage(overlay::kLostBanner);
    EXPECT_EQ(won.vTop, lost.vTop);
    EXPECT_EQ(won.vBottom, lost.vBottom);
    EXPECT_GT(scaledWidth(won, 42), 4 * 42);
    EXPECT_GT(scaledWidth(lost, 42), 4 * 42);
}

TEST(AtlasTest, CubeTilesFormAnEightByEightGrid)
{
    std::set<std::pair<int, int>> corners;
    for (int tile = 0; tile < 64; ++tile) {
        const PixelRect p = toPixels(cubeTile(tile), kAtlasSize, kAtlasSize);
        EXPECT_EQ(p.width(), 64) << tile;
        EXPECT_EQ(p.height(), 64) << tile;
        corners.insert({p.left, p.top});
    }
    EXPECT_EQ(corners.size(), 64U);
    // Tile 0 is the top-left corner of the picture, tile 9 one step right and one step down.
    EXPECT_EQ(toPixels(cubeTile(0), 512, 512).top, 0);
    EXPECT_EQ(toPixels(cubeTile(0), 512, 512).left, 0);
    EXPECT_EQ(toPixels(cubeTile(9), 512, 512).left, 64);
    EXPECT_EQ(toPixels(cubeTile(9), 512, 512).top, 64);
    EXPECT_EQ(toPixels(cubeTile(63), 512, 512).bottom, 512);
}

TEST(AtlasTest, LabelsShowNearlyAllOfTheirNumberTile)
{
    for (int number = 1; number <= cubeTiles::kNumberCount; ++number) {
        const AtlasRect label = labelRect(number);
        const AtlasRect tile = cubeTile(cubeTiles::kFirstNumber + number - 1);
        SCOPED_TRACE(number);
        EXPECT_GT(label.uLeft, tile.uLeft);
        EXPECT_LT(label.vTop, tile.vTop);
        EXPECT_EQ(label.uRight, tile.uRight);
        EXPECT_EQ(label.vBottom, tile.vBottom);
        EXPECT_GT(label.uRight - label.uLeft, 0.9F * 0.125F);
        EXPECT_GT(label.vTop - label.vBottom, 0.9F * 0.125F);
    }
}

TEST(AtlasTest, SpritesCoverTheirFourTiles)
{
    const int corners[] = {0, 2, 16};
    for (int sprite = 0; sprite < 3; ++sprite) {
        const AtlasRect r = bombSprite(sprite);
        SCOPED_TRACE(sprite);
        const int c = corners[sprite];
        for (int tile : {c, c + 1, c + 8, c + 9}) {
            const AtlasRect t = cubeTile(tile);
            EXPECT_TRUE(contains(r, (t.uLeft + t.uRight) / 2, (t.vTop + t.vBottom) / 2)) << tile;
        }
        const AtlasRect topLeft = cubeTile(c);
        const AtlasRect bottomRight = cubeTile(c + 9);
        EXPECT_GT(r.uLeft, topLeft.uLeft);
        EXPECT_LT(r.vTop, topLeft.vTop);
        EXPECT_LT(r.uRight, bottomRight.uRight);
        EXPECT_GT(r.vBottom, bottomRight.vBottom);
        EXPECT_GT(r.uRight - r.uLeft, 0.24F);
        EXPECT_GT(r.vTop - r.vBottom, 0.24F);
    }
}

TEST(AtlasTest, EveryCubePictureHasATileOfItsOwn)
{
    std::multiset<int> used;
    for (int direction = 0; direction < 6; ++direction) {
        used.insert(cubeTiles::kPlain + direction);
        used.insert(cubeTiles::kSuspect + direction);
        used.insert(cubeTiles::kMarked + direction);
        used.insert(cubeTiles::wrongMark(direction));
    }
    for (int number = 1; number <= cubeTiles::kNumberCount; ++number)
        used.insert(cubeTiles::kFirstNumber + number - 1);
    for (int sprite = 0; sprite < 3; ++sprite) {
        const AtlasRect r = bombSprite(sprite);
        for (int tile = 0; tile < 64; ++tile) {
            const AtlasRect t = cubeTile(tile);
            if (contains(r, (t.uLeft + t.uRight) / 2, (t.vTop + t.vBottom) / 2))
                used.insert(tile);
        }
    }
    for (int tile : used) {
        EXPECT_GE(tile, 0);
        EXPECT_LT(tile, 64);
        EXPECT_EQ(used.count(tile), 1U) << "tile " << tile << " is shared";
    }
    EXPECT_EQ(used.size(), 6U * 4U + 26U + 12U);
    // The wrong-mark tiles are the ones the game over view reads.
    EXPECT_EQ(cubeTiles::wrongMark(0), 5);
    EXPECT_EQ(cubeTiles::wrongMark(2), 7);
    EXPECT_EQ(cubeTiles::wrongMark(3), 13);
    EXPECT_EQ(cubeTiles::wrongMark(5), 15);
}

TEST(AtlasTest, OutOfRangeRequestsStayOnTheTexture)
{
    for (const AtlasRect& r :
         {cubeTile(-1), cubeTile(64), labelRect(0), labelRect(27), bombSprite(-1), bombSprite(3)}) {
        EXPECT_GE(r.uLeft, 0.0F);
        EXPECT_LE(r.uRight, 1.0F);
        EXPECT_GE(r.vBottom, 0.0F);
        EXPECT_LE(r.vTop, 1.0F);
    }
}

} // namespace
} // namespace kubrix
