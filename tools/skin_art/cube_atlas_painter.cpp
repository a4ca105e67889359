// Lays out the cube atlas and paints its number labels.
#include "skin_art/cube_atlas_painter.h"

#include "core/scene/atlas.h"
#include "skin_art/art_text.h"
#include "skin_art/atlas_painter.h"
#include "skin_art/bomb_painter.h"
#include "skin_art/crate_painter.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <array>

namespace kubrix {

namespace {

constexpr int kSupersample = 4;
constexpr qreal kUnit = 64.0;

// One colour per number; the first eight follow the familiar minesweeper order, the rest walk
// around the colour wheel so that neighbouring numbers never look alike.
constexpr std::array<QRgb, 26> kNumberColours{
    0x2864ff, 0x1eaa32, 0xeb2828, 0x5a46e6, 0xb43223, 0x00b4b4, 0xe6e6eb, 0x9a9aa6, 0xff8c00,
    0xffd700, 0x82d21e, 0xff50aa, 0x008c80, 0xb47840, 0x64a0ff, 0xd20078, 0xa0a000, 0xff7864,
    0x3cc88c, 0xb48cff, 0xdc3c00, 0x00c8ff, 0xffb4c8, 0x7890aa, 0xc8dc64, 0xffff78,
};

QColor lighter(const QColor& colour, double towardsWhite)
{
    return QColor::fromRgbF(
        static_cast<float>(colour.redF() + (1.0 - colour.redF()) * towardsWhite),
        static_cast<float>(colour.greenF() + (1.0 - colour.greenF()) * towardsWhite),
        static_cast<float>(colour.blueF() + (1.0 - colour.blueF()) * towardsWhite));
}

void placeCrates(AtlasPainter& atlas, int tileSize)
{
    for (int direction = 0; direction < 6; ++direction) {
        const std::array<std::pair<int, CrateMark>, 4> states{{
            {cubeTiles::kPlain + direction, CrateMark::None},
            {cubeTiles::kSuspect + direction, CrateMark::Suspect},
            {cubeTiles::kMarked + direction, CrateMark::Flag},
            {cubeTiles::wrongMark(direction), CrateMark::WrongFlag},
        }};
        for (const auto& [tile, mark] : states)
            atlas.place(atlas.pixels(cubeTile(tile)), paintCrateTile(mark, direction, tileSize));
    }
}

void placeSprites(AtlasPainter& atlas)
{
    const std::array<int, 3> corners{0, 2, 16};
    for (int sprite = 0; sprite < 3; ++sprite) {
        const int corner = corners[static_cast<std::size_t>(sprite)];
        const QRect topLeft = atlas.pixels(cubeTile(corner));
        const QRect bottomRight = atlas.pixels(cubeTile(corner + cubeTiles::kGridSize + 1));
        const QRect block = topLeft.united(bottomRight);
        atlas.place(block, paintBombSprite(sprite, block.width()));
    }
}

} // namespace

QImage paintNumberLabel(int number, int size)
{
    number = std::clamp(number, 1, cubeTiles::kNumberCount);
    const QColor colour(kNumberColours[static_cast<std::size_t>(number - 1)]);
    return paintPiece(size, size, kSupersample, [&](QPainter& p) {
        p.scale(size / kUnit, size / kUnit);
        // The label shows the tile less a thin strip on its left and top: centre on what shows.
        const QPointF centre(33.6, 33.6);
        const bool twoDigits = number >= 10;
        const QSizeF box = twoDigits ? QSizeF(50, 40) : QSizeF(48, 48);
        const QRectF area(centre.x() - box.width() / 2, centre.y() - box.height() / 2, box.width(),
                          box.height());
        const QPainterPath glyph = fittedText(QString::number(number), area);
        QLinearGradient fill(area.topLeft(), area.bottomLeft());
        fill.setColorAt(0.0, lighter(colour, 0.45));
        fill.setColorAt(0.45, colour);
        fill.setColorAt(1.0, colour.darker(125));
        drawOutlined(p, glyph, fill, QColor(16, 16, 20), 3.2);
    });
}

QImage paintCubeAtlas(int size)
{
    AtlasPainter atlas(size);
    const int tileSize = size / cubeTiles::kGridSize;
    placeCrates(atlas, tileSize);
    for (int number = 1; number <= cubeTiles::kNumberCount; ++number) {
        const QRect tile = atlas.pixels(cubeTile(cubeTiles::kFirstNumber + number - 1));
        atlas.place(tile, paintNumberLabel(number, tileSize));
    }
    placeSprites(atlas);
    return atlas.image();
}

} // namespace kubrix
