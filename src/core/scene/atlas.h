// The one table of where every picture sits in the two skin atlases, for the renderer and the art.
#pragma once

namespace kubrix {

// A rectangle of a texture in texture coordinates: u grows to the right, v grows upwards, so
// v = 1 is the top row of the picture and vTop > vBottom for every picture the game draws.
struct AtlasRect {
    float uLeft = 0.0F;
    float vTop = 0.0F;
    float uRight = 0.0F;
    float vBottom = 0.0F;
};

// Pixels of a picture stored top row first; right and bottom are exclusive. A pixel belongs to
// the rectangle when its centre lies inside the atlas rectangle.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

// Overlay atlas pictures by number.
namespace overlay {
inline constexpr int kLostBanner = 1;
inline constexpr int kWonBanner = 2;
inline constexpr int kTimeCounterClose = 3;
inline constexpr int kTimeCounterOpen = 4;
inline constexpr int kBombCounterOuterEnd = 5;
inline constexpr int kBombCounterInnerEnd = 6;
inline constexpr int kTimeSeparator = 7;
inline constexpr int kFirstDigit = 8; // digit n is picture 8 + n
inline constexpr int kFirstFace = 18; // the face state is the picture number
inline constexpr int kLastFace = 23;
inline constexpr int kBackground = 24;
inline constexpr int kFaceIdle = 18;
inline constexpr int kFacePressed = 19;
inline constexpr int kFaceWon = 20;
inline constexpr int kFaceBlink = 21;
inline constexpr int kFaceWonRecord = 22;
inline constexpr int kFaceLost = 23;
} // namespace overlay

// Cube atlas tiles: an 8 x 8 grid, tile t in column t % 8 and row t / 8 counted from the top.
// The six tiles of a cube state follow the face directions -X, +X, -Y, +Y, -Z, +Z.
namespace cubeTiles {
inline constexpr int kGridSize = 8;
inline constexpr int kPlain = 18;
inline constexpr int kSuspect = 26;
inline constexpr int kMarked = 58;
// A wrong mark shown after the game: directions 0..2 in tiles 5..7, directions 3..5 in 13..15.
inline constexpr int kWrongMarkLow = 5;
inline constexpr int kWrongMarkHigh = 10;
inline constexpr int kFirstNumber = 32; // number n (1..26) is tile 31 + n
inline constexpr int kNumberCount = 26;
inline constexpr int kBombSpriteCount = 3;

inline constexpr int wrongMark(int direction)
{
    return (direction < 3 ? kWrongMarkLow : kWrongMarkHigh) + direction;
}
} // namespace cubeTiles

// Overlay picture 1..24; any other number gives the whole texture (reaching one texel past it).
AtlasRect overlayImage(int image);
// The full square of a cube atlas tile 0..63.
AtlasRect cubeTile(int tile);
// The part of a number tile a label shows for number 1..26: the tile less a thin strip on its
// left and top edges.
AtlasRect labelRect(int number);
// Bomb sprite 0 (a bomb), 1 (a correctly marked bomb) or 2 (the bomb that went off), each a
// 2 x 2 block of tiles trimmed by a small margin.
AtlasRect bombSprite(int sprite);
// The on-screen width of a picture drawn at the given height on the square texture, keeping its
// proportions; truncated towards zero as the overlay lays its pieces side by side.
int scaledWidth(const AtlasRect& rect, int height);
// The pixels of a width x height picture that the rectangle covers, clamped to the picture.
PixelRect toPixels(const AtlasRect& rect, int width, int height);

} // namespace kubrix
