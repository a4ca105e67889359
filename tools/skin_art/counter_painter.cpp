// Paints seven-segment digits glowing on a dark display inside a metal bezel.
#include "skin_art/counter_painter.h"

#include "skin_art/atlas_painter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <functional>

namespace kubrix {

namespace {

constexpr int kSupersample = 4;
// Pieces are designed 64 units tall; the display window lies between the two bezel bands.
constexpr qreal kUnitHeight = 64.0;
constexpr qreal kBezel = 7.0;
constexpr qreal kRounding = 11.0;
constexpr qreal kSlant = 0.08;
constexpr qreal kMiddle = 32.0;

const QColor kLit(255, 84, 44);
const QColor kUnlit(255, 84, 44, 26);

enum class Side { None, Left, Right };

// Bezel and window reach past the piece's open sides, so that neighbours join without a seam.
void paintFrame(QPainter& p, qreal width, Side rounded)
{
    const qreal overhang = 3 * kRounding;
    const qreal left = rounded == Side::Left ? 0.0 : -overhang;
    const qreal right = rounded == Side::Right ? width : width + overhang;
    p.save();
    p.setClipRect(QRectF(0, 0, width, kUnitHeight));
    QPainterPath bezel;
    bezel.addRoundedRect(QRectF(left + 0.5, 0.5, right - left - 1.0, kUnitHeight - 1.0), kRounding,
                         kRounding);
    QLinearGradient metal(QPointF(0, 0), QPointF(0, kUnitHeight));
    metal.setColorAt(0.0, QColor(150, 158, 170));
    metal.setColorAt(0.11, QColor(86, 92, 102));
    metal.setColorAt(0.5, QColor(48, 52, 60));
    metal.setColorAt(0.89, QColor(36, 38, 44));
    metal.setColorAt(1.0, QColor(20, 22, 26));
    p.setPen(QPen(QColor(10, 10, 12), 1.0));
    p.setBrush(metal);
    p.drawPath(bezel);

    const qreal inset = kBezel;
    QPainterPath window;
    window.addRoundedRect(
        QRectF(left + inset, inset, right - left - 2 * inset, kUnitHeight - 2 * inset),
        kRounding - inset + 1.0, kRounding - inset + 1.0);
    QLinearGradient glass(QPointF(0, inset), QPointF(0, kUnitHeight - inset));
    glass.setColorAt(0.0, QColor(6, 8, 8));
    glass.setColorAt(0.15, QColor(18, 22, 20));
    glass.setColorAt(1.0, QColor(10, 13, 12));
    p.setPen(QPen(QColor(0, 0, 0), 1.2));
    p.setBrush(glass);
    p.drawPath(window);
    p.restore();
}

QPointF slanted(qreal x, qreal y)
{
    return {x + (kMiddle - y) * kSlant, y};
}

// A hexagonal segment from a to b, thickness t; horizontal when a and b share their y.
QPolygonF segment(QPointF a, QPointF b, qreal t)
{
    const qreal h = t / 2;
    constexpr qreal gap = 0.9;
    QPolygonF shape;
    if (a.y() == b.y()) {
        const qreal x0 = a.x() + gap;
        const qreal x1 = b.x() - gap;
        const qreal y = a.y();
        shape << slanted(x0, y) << slanted(x0 + h, y - h) << slanted(x1 - h, y - h)
              << slanted(x1, y) << slanted(x1 - h, y + h) << slanted(x0 + h, y + h);
    } else {
        const qreal y0 = a.y() + gap;
        const qreal y1 = b.y() - gap;
        const qreal x = a.x();
        shape << slanted(x, y0) << slanted(x + h, y0 + h) << slanted(x + h, y1 - h)
              << slanted(x, y1) << slanted(x - h, y1 - h) << slanted(x - h, y0 + h);
    }
    return shape;
}

void paintLitShape(QPainter& p, const QPainterPath& shape, bool lit)
{
    if (lit) {
        // A faint halo, as of light spilling into the display.
        QColor halo = kLit;
        halo.setAlpha(60);
        p.setPen(QPen(halo, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(shape);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(lit ? kLit : kUnlit);
    p.drawPath(shape);
    if (lit) {
        p.setBrush(QColor(255, 200, 160, 110));
        p.drawPath(shape.translated(0.0, -0.4).intersected(shape));
    }
}

QImage paintPiece64(int width, int height, qreal unitWidth,
                    const std::function<void(QPainter&)>& paint)
{
    return paintPiece(width, height, kSupersample, [&](QPainter& p) {
        p.scale(width / unitWidth, height / kUnitHeight);
        paint(p);
    });
}

} // namespace

QImage paintCounterDigit(int digit, int width, int height)
{
    // Segments a..g: top, upper right, lower right, bottom, lower left, upper left, middle.
    constexpr std::array<int, 10> kSegments{0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                            0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    const int mask = kSegments[static_cast<std::size_t>(std::clamp(digit, 0, 9))];
    const qreal unitWidth = 30.0;
    return paintPiece64(width, height, unitWidth, [&](QPainter& p) {
        paintFrame(p, unitWidth, Side::None);
        constexpr qreal l = 7.0, r = 23.0, t = 13.0, b = 51.0, thick = 5.0;
        const std::array<QPolygonF, 7> shapes{
            segment({l, t}, {r, t}, thick),
            segment({r, t}, {r, kMiddle}, thick),
            segment({r, kMiddle}, {r, b}, thick),
            segment({l, b}, {r, b}, thick),
            segment({l, kMiddle}, {l, b}, thick),
            segment({l, t}, {l, kMiddle}, thick),
            segment({l, kMiddle}, {r, kMiddle}, thick),
        };
        for (int lit = 0; lit < 2; ++lit) {
            for (std::size_t s = 0; s < shapes.size(); ++s) {
                const bool on = ((mask >> s) & 1) != 0;
                if (on == (lit == 1)) {
                    QPainterPath path;
                    path.addPolygon(shapes[s]);
                    path.closeSubpath();
                    paintLitShape(p, path, on);
                }
            }
        }
    });
}

QImage paintCounterSeparator(int width, int height)
{
    const qreal unitWidth = 12.0;
    return paintPiece64(width, height, unitWidth, [&](QPainter& p) {
        paintFrame(p, unitWidth, Side::None);
        for (const qreal y : {24.0, 40.0}) {
            QPainterPath dot;
            const QPointF at = slanted(6.0, y);
            dot.addRect(QRectF(at.x() - 2.1, y - 2.1, 4.2, 4.2));
            paintLitShape(p, dot, true);
        }
    });
}

QImage paintCounterEnd(CounterEnd end, int width, int height)
{
    const qreal unitWidth = width * kUnitHeight / height;
    return paintPiece64(width, height, unitWidth, [&](QPainter& p) {
        switch (end) {
        case CounterEnd::TimeOpen: {
            paintFrame(p, unitWidth, Side::Left);
            const QPointF centre(unitWidth / 2 + 2.5, kMiddle);
            QPainterPath clock;
            clock.addEllipse(centre, 8.5, 8.5);
            clock.addEllipse(centre, 6.2, 6.2);
            QPainterPathStroker hands;
            hands.setWidth(2.0);
            hands.setCapStyle(Qt::RoundCap);
            QPainterPath handLines;
            handLines.moveTo(centre + QPointF(0, -5));
            handLines.lineTo(centre);
            handLines.lineTo(centre + QPointF(3.8, 0));
            paintLitShape(p, clock.united(hands.createStroke(handLines)), true);
            break;
        }
        case CounterEnd::BombOuter: {
            paintFrame(p, unitWidth, Side::Right);
            const QPointF centre(unitWidth / 2 - 5.0, kMiddle + 2.0);
            QPainterPath bomb;
            bomb.addEllipse(centre, 10.5, 10.5);
            bomb.addRect(QRectF(centre.x() + 4.0, centre.y() - 12.5, 5.0, 5.0));
            QPainterPathStroker fuse;
            fuse.setWidth(1.6);
            QPainterPath fuseLine;
            fuseLine.moveTo(centre + QPointF(7.0, -11.0));
            fuseLine.quadTo(centre + QPointF(10.0, -18.0), centre + QPointF(15.0, -15.5));
            paintLitShape(p, bomb.united(fuse.createStroke(fuseLine)).simplified(), true);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(20, 24, 22));
            p.drawEllipse(centre - QPointF(4.0, 4.0), 2.4, 2.4);
            break;
        }
        case CounterEnd::TimeClose:
            paintFrame(p, unitWidth, Side::Right);
            break;
        case CounterEnd::BombInner:
            paintFrame(p, unitWidth, Side::Left);
            break;
        }
    });
}

} // namespace kubrix
