// Paints the program's icon from the skin's own crate and bomb pictures.
#include "skin_art/icon_painter.h"

#include "skin_art/atlas_painter.h"
#include "skin_art/bomb_painter.h"
#include "skin_art/crate_painter.h"

#include <QPainter>
#include <QPolygonF>
#include <QRadialGradient>
#include <QTransform>

namespace kubrix {

namespace {

constexpr int kSupersample = 4;
constexpr qreal kUnit = 256.0;
constexpr int kTileSize = 512;

// Crate tile directions (see paintCrateTile): the faces the viewer sees.
constexpr int kRight = 1;
constexpr int kTop = 3;
constexpr int kFront = 5;

// The cube's corners in the 256-unit design space. The back edges are a little shorter than
// the front ones, which gives the slight perspective of a cube seen from near.
const QPointF kFrontTopLeft(34, 88);
const QPointF kFrontTopRight(166, 88);
const QPointF kFrontBottomRight(166, 220);
const QPointF kFrontBottomLeft(34, 220);
const QPointF kBackTopLeft(74, 40);
const QPointF kBackTopRight(202, 40);
const QPointF kBackBottomRight(202, 168);

const QColor kEdge(52, 30, 12);

void drawFace(QPainter& p, int direction, const QPolygonF& quad)
{
    const QImage tile = paintCrateTile(CrateMark::None, direction, kTileSize);
    const qreal w = tile.width();
    const qreal h = tile.height();
    const QPolygonF square({QPointF(0, 0), QPointF(w, 0), QPointF(w, h), QPointF(0, h)});
    QTransform map;
    if (!QTransform::quadToQuad(square, quad, map))
        return;
    p.save();
    p.setTransform(map, true);
    p.drawImage(QPointF(0, 0), tile);
    p.restore();
    p.setPen(QPen(kEdge, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(quad);
}

void drawShadow(QPainter& p)
{
    QRadialGradient shade(QPointF(128, 226), 110);
    shade.setColorAt(0.0, QColor(0, 0, 0, 110));
    shade.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.save();
    p.translate(128, 226);
    p.scale(1.0, 0.22);
    p.translate(-128, -226);
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawEllipse(QPointF(128, 226), 110, 110);
    p.restore();
}

} // namespace

QImage paintIcon(int size)
{
    return paintPiece(size, size, kSupersample, [&](QPainter& p) {
        p.scale(size / kUnit, size / kUnit);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        drawShadow(p);
        drawFace(p, kTop, QPolygonF({kBackTopLeft, kBackTopRight, kFrontTopRight, kFrontTopLeft}));
        drawFace(p, kRight,
                 QPolygonF({kFrontTopRight, kBackTopRight, kBackBottomRight, kFrontBottomRight}));
        drawFace(p, kFront,
                 QPolygonF({kFrontTopLeft, kFrontTopRight, kFrontBottomRight, kFrontBottomLeft}));
        // The bomb stands before the crate's lower right corner, in front of everything.
        const QImage bomb = paintBombSprite(0, 2 * kTileSize / 4);
        p.drawImage(QRectF(120, 118, 132, 132), bomb);
    });
}

} // namespace kubrix
