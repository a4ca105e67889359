// Paints the three bomb sprites: a round black bomb, the same with a check badge, an explosion.
#include "skin_art/bomb_painter.h"

#include "skin_art/art_text.h"
#include "skin_art/atlas_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPen>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace kubrix {

namespace {

// Sprites are designed on a 128-unit square.
constexpr qreal kUnit = 128.0;
constexpr int kSupersample = 4;
const QColor kOutline(12, 10, 8);

QPointF polar(const QPointF& centre, qreal radius, qreal degrees)
{
    const qreal angle = degrees * std::numbers::pi / 180.0;
    return {centre.x() + radius * std::cos(angle), centre.y() - radius * std::sin(angle)};
}

void paintSpark(QPainter& p, const QPointF& at, qreal radius)
{
    QPainterPath star;
    for (int i = 0; i < 16; ++i) {
        const qreal r = (i % 2 == 0) ? radius : radius * 0.38;
        const QPointF point = polar(at, r, i * 22.5 + 10.0);
        if (i == 0)
            star.moveTo(point);
        else
            star.lineTo(point);
    }
    star.closeSubpath();
    QRadialGradient glow(at, radius);
    glow.setColorAt(0.0, QColor(255, 255, 230));
    glow.setColorAt(0.45, QColor(255, 220, 60));
    glow.setColorAt(1.0, QColor(255, 110, 0));
    drawOutlined(p, star, glow, QColor(150, 40, 0), 1.4);
}

void paintBomb(QPainter& p, const QPointF& centre, qreal radius)
{
    // The fuse leaves the cap at the upper right and curls up to a spark.
    const QPointF capBase = polar(centre, radius * 0.92, 45.0);
    QPainterPath fuse;
    fuse.moveTo(polar(centre, radius * 1.12, 45.0));
    fuse.cubicTo(capBase + QPointF(14, -20), capBase + QPointF(26, -6), capBase + QPointF(30, -26));
    QPainterPathStroker stroker;
    stroker.setWidth(5.0);
    stroker.setCapStyle(Qt::RoundCap);
    drawOutlined(p, stroker.createStroke(fuse).simplified(), QColor(200, 160, 100), kOutline, 1.8);

    p.save();
    p.translate(capBase);
    p.rotate(-45.0);
    QPainterPath cap;
    cap.addRoundedRect(QRectF(-11, -12, 22, 16), 3, 3);
    QLinearGradient metal(QPointF(-11, 0), QPointF(11, 0));
    metal.setColorAt(0.0, QColor(150, 154, 164));
    metal.setColorAt(0.5, QColor(90, 94, 104));
    metal.setColorAt(1.0, QColor(40, 42, 48));
    drawOutlined(p, cap, metal, kOutline, 2.0);
    p.restore();

    QPainterPath body;
    body.addEllipse(centre, radius, radius);
    QRadialGradient shine(centre - QPointF(radius * 0.38, radius * 0.42), radius * 1.45);
    shine.setColorAt(0.0, QColor(150, 156, 172));
    shine.setColorAt(0.25, QColor(62, 64, 76));
    shine.setColorAt(0.75, QColor(22, 22, 28));
    shine.setColorAt(1.0, QColor(6, 6, 8));
    drawOutlined(p, body, shine, kOutline, 2.5);
    // The glint of a highlight.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(centre - QPointF(radius * 0.42, radius * 0.45), radius * 0.17, radius * 0.11);

    paintSpark(p, capBase + QPointF(30, -26), 13.0);
}

void paintCheckBadge(QPainter& p, const QPointF& centre, qreal radius)
{
    QPainterPath disc;
    disc.addEllipse(centre, radius, radius);
    QRadialGradient green(centre - QPointF(radius * 0.3, radius * 0.4), radius * 1.4);
    green.setColorAt(0.0, QColor(140, 240, 120));
    green.setColorAt(0.6, QColor(40, 170, 50));
    green.setColorAt(1.0, QColor(10, 100, 30));
    drawOutlined(p, disc, green, QColor(245, 255, 245), 3.0);
    p.setPen(QPen(kOutline, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius + 3.0, radius + 3.0);

    QPainterPath tick;
    tick.moveTo(centre + QPointF(-radius * 0.5, 0.0));
    tick.lineTo(centre + QPointF(-radius * 0.12, radius * 0.42));
    tick.lineTo(centre + QPointF(radius * 0.55, -radius * 0.4));
    QPainterPathStroker stroker;
    stroker.setWidth(radius * 0.28);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    drawOutlined(p, stroker.createStroke(tick).simplified(), Qt::white, QColor(0, 70, 10), 1.6);
}

QPainterPath burstShape(const QPointF& centre, qreal outer, qreal inner, int spikes, int seed)
{
    QPainterPath burst;
    for (int i = 0; i < spikes * 2; ++i) {
        const bool tip = i % 2 == 0;
        const qreal jitter = 0.82 + 0.3 * latticeNoise(i, spikes, seed);
        const qreal r = (tip ? outer : inner) * jitter;
        const QPointF point = polar(centre, r, i * 180.0 / spikes + 7.0 * latticeNoise(i, 2, seed));
        if (i == 0)
            burst.moveTo(point);
        else
            burst.lineTo(point);
    }
    burst.closeSubpath();
    return burst;
}

void paintExplosion(QPainter& p)
{
    const QPointF centre(64, 64);
    QRadialGradient fire(centre, 62);
    fire.setColorAt(0.0, QColor(255, 255, 220));
    fire.setColorAt(0.3, QColor(255, 220, 60));
    fire.setColorAt(0.6, QColor(255, 120, 0));
    fire.setColorAt(1.0, QColor(200, 20, 0));
    drawOutlined(p, burstShape(centre, 60, 34, 13, 5), fire, QColor(110, 0, 0), 2.5);
    QRadialGradient core(centre, 34);
    core.setColorAt(0.0, QColor(255, 255, 255));
    core.setColorAt(0.5, QColor(255, 240, 120));
    core.setColorAt(1.0, QColor(255, 170, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(core);
    p.drawPath(burstShape(centre, 34, 20, 9, 6));
    // Shards of the casing flying outwards.
    for (int i = 0; i < 6; ++i) {
        const qreal angle = i * 60.0 + 25.0;
        const QPointF at = polar(centre, 40 + 8 * latticeNoise(i, 9, 7), angle);
        QPainterPath shard;
        shard.moveTo(polar(at, 6.0, angle + 90));
        shard.lineTo(polar(at, 7.5, angle));
        shard.lineTo(polar(at, 5.0, angle - 110));
        shard.closeSubpath();
        drawOutlined(p, shard, QColor(40, 40, 46), kOutline, 1.0);
    }
}

} // namespace

QImage paintBombSprite(int sprite, int size)
{
    return paintPiece(size, size, kSupersample, [&](QPainter& p) {
        p.scale(size / kUnit, size / kUnit);
        switch (sprite) {
        case 1:
            paintBomb(p, QPointF(56, 72), 38);
            paintCheckBadge(p, QPointF(96, 98), 21);
            break;
        case 2:
            paintExplosion(p);
            break;
        default:
            paintBomb(p, QPointF(58, 72), 42);
            break;
        }
    });
}

} // namespace kubrix
