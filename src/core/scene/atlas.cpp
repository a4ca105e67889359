// Where every picture sits in the cube atlas and the overlay atlas of a skin.
#include "core/scene/atlas.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kubrix {

namespace {

constexpr float kTileSpan = 0.125F;
// Labels lose this much of their tile on the left and top, sprites this much on every side, so
// that linear filtering does not reach into the neighbouring tiles.
constexpr float kLabelTrim = 0.00625F;
constexpr float kSpriteTrim = 0.001F;

// Overlay pictures 1..24 in picture order.
constexpr std::array<AtlasRect, 24> kOverlay{{
    {0.521484375F, 0.09375F, 0.974609375F, 0.005859375F}, // lost banner
    {0.005859375F, 0.09375F, 0.50390625F, 0.005859375F},  // won banner
    {0.94140625F, 0.25F, 0.97265625F, 0.125F},            // time counter, closing end
    {0.654296875F, 0.25F, 0.716796875F, 0.125F},          // time counter, opening end
    {0.732421875F, 0.25F, 0.857421875F, 0.125F},          // bomb counter, outer (right) end
    {0.892578125F, 0.25F, 0.923828125F, 0.125F},          // bomb counter, inner (left) end
    {0.61328125F, 0.25F, 0.63671875F, 0.125F},            // minutes / seconds separator
    {0.00390625F, 0.25F, 0.0625F, 0.125F},                // digits 0..9
    {0.0625F, 0.25F, 0.12109375F, 0.125F},
    {0.12109375F, 0.25F, 0.1796875F, 0.125F},
    {0.1796875F, 0.25F, 0.23828125F, 0.125F},
    {0.23828125F, 0.25F, 0.296875F, 0.125F},
    {0.296875F, 0.25F, 0.35546875F, 0.125F},
    {0.35546875F, 0.25F, 0.4140625F, 0.125F},
    {0.4140625F, 0.25F, 0.47265625F, 0.125F},
    {0.47265625F, 0.25F, 0.53125F, 0.125F},
    {0.53125F, 0.25F, 0.58984375F, 0.125F},
    {0.013671875F, 0.435546875F, 0.138671875F, 0.310546875F}, // faces 18..23
    {0.41796875F, 0.435546875F, 0.54296875F, 0.310546875F},
    {0.283203125F, 0.435546875F, 0.408203125F, 0.310546875F},
    {0.1484375F, 0.435546875F, 0.2734375F, 0.310546875F},
    {0.552734375F, 0.435546875F, 0.677734375F, 0.310546875F},
    {0.6875F, 0.435546875F, 0.8125F, 0.310546875F},
    {0.0F, 1.0F, 0.5F, 0.5F}, // background
}};

constexpr AtlasRect kWholeOverlay{0.0F, 1.0F, 1.001953125F, -0.001953125F};

// Sprites 0..2: the top-left corner tile of each 2 x 2 block.
constexpr std::array<int, 3> kSpriteCornerTile{0, 2, 16};

int pixelEdge(float coordinate, int size)
{
    const long edge = std::lround(static_cast<double>(coordinate) * size);
    return static_cast<int>(std::clamp(edge, 0L, static_cast<long>(size)));
}

} // namespace

AtlasRect overlayImage(int image)
{
    if (image < 1 || image > static_cast<int>(kOverlay.size()))
        return kWholeOverlay;
    return kOverlay[static_cast<std::size_t>(image - 1)];
}

AtlasRect cubeTile(int tile)
{
    // An out-of-range tile is a caller's fault; clamping keeps it on the texture.
    tile = std::clamp(tile, 0, cubeTiles::kGridSize * cubeTiles::kGridSize - 1);
    const auto column = static_cast<float>(tile % cubeTiles::kGridSize);
    const auto row = static_cast<float>(tile / cubeTiles::kGridSize);
    return {column * kTileSpan, 1.0F - row * kTileSpan, (column + 1.0F) * kTileSpan,
            1.0F - (row + 1.0F) * kTileSpan};
}

AtlasRect labelRect(int number)
{
    number = std::clamp(number, 1, cubeTiles::kNumberCount);
    AtlasRect rect = cubeTile(cubeTiles::kFirstNumber + number - 1);
    rect.uLeft += kLabelTrim;
    rect.vTop -= kLabelTrim;
    return rect;
}

AtlasRect bombSprite(int sprite)
{
    sprite = std::clamp(sprite, 0, cubeTiles::kBombSpriteCount - 1);
    const int corner = kSpriteCornerTile[static_cast<std::size_t>(sprite)];
    const AtlasRect topLeft = cubeTile(corner);
    const AtlasRect bottomRight = cubeTile(corner + cubeTiles::kGridSize + 1);
    return {topLeft.uLeft + kSpriteTrim, topLeft.vTop - kSpriteTrim,
            bottomRight.uRight - kSpriteTrim, bottomRight.vBottom + kSpriteTrim};
}

int scaledWidth(const AtlasRect& rect, int height)
{
    const double span = static_cast<double>(rect.vTop) - static_cast<double>(rect.vBottom);
    if (span == 0.0)
        return 0;
    const double width =
        (static_cast<double>(rect.uRight) - static_cast<double>(rect.uLeft)) / span * height;
    return static_cast<int>(width);
}

PixelRect toPixels(const AtlasRect& rect, int width, int height)
{
    return {pixelEdge(rect.uLeft, width), pixelEdge(1.0F - rect.vTop, height),
            pixelEdge(rect.uRight, width), pixelEdge(1.0F - rect.vBottom, height)};
}

} // namespace kubrix
