// Paints the face icons: one head, with eyes and mouth drawn for each mood.
#include "skin_art/face_painter.h"

#include "core/scene/atlas.h"
#include "skin_art/art_text.h"
#include "skin_art/atlas_painter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPen>
#include <QRadialGradient>

namespace kubrix {

namespace {

// Faces are designed on a 64-unit square.
constexpr qreal kUnit = 64.0;
constexpr int kSupersample = 4;
const QColor kInk(58, 34, 4);

QPainterPath stroked(const QPainterPath& line, qreal width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(line);
}

void fillInk(QPainter& p, const QPainterPath& shape)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPath(shape);
}

void paintHead(QPainter& p, const QPointF& centre, qreal radius, bool pale)
{
    QRadialGradient skin(centre - QPointF(radius * 0.35, radius * 0.45), radius * 1.5);
    skin.setColorAt(0.0, pale ? QColor(255, 250, 200) : QColor(255, 250, 170));
    skin.setColorAt(0.35, pale ? QColor(240, 220, 120) : QColor(255, 214, 40));
    skin.setColorAt(1.0, pale ? QColor(190, 150, 50) : QColor(224, 140, 0));
    QPainterPath head;
    head.addEllipse(centre, radius, radius);
    drawOutlined(p, head, skin, kInk, 2.2);
}

void paintOpenEyes(QPainter& p, const QPointF& centre, qreal height)
{
    QPainterPath eyes;
    eyes.addEllipse(centre + QPointF(-8.5, -6.0), 3.0, height);
    eyes.addEllipse(centre + QPointF(8.5, -6.0), 3.0, height);
    fillInk(p, eyes);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawEllipse(centre + QPointF(-9.3, -7.8), 1.0, 1.2);
    p.drawEllipse(centre + QPointF(7.7, -7.8), 1.0, 1.2);
}

// Closed or laughing eyes: arcs bowed upwards (happy) or downwards (asleep).
void paintArcEyes(QPainter& p, const QPointF& centre, bool happy)
{
    QPainterPath arcs;
    for (const qreal side : {-8.5, 8.5}) {
        const QPointF eye = centre + QPointF(side, -6.0);
        const qreal bend = happy ? -4.5 : 3.5;
        arcs.moveTo(eye + QPointF(-4.0, 1.0));
        arcs.quadTo(eye + QPointF(0.0, 1.0 + bend), eye + QPointF(4.0, 1.0));
    }
    fillInk(p, stroked(arcs, 2.4));
}

void paintSmile(QPainter& p, const QPointF& centre, qreal depth)
{
    QPainterPath smile;
    smile.moveTo(centre + QPointF(-12.0, 6.0));
    smile.quadTo(centre + QPointF(0.0, 6.0 + depth), centre + QPointF(12.0, 6.0));
    fillInk(p, stroked(smile, 2.6));
}

void paintGrin(QPainter& p, const QPointF& centre)
{
    QPainterPath mouth;
    mouth.moveTo(centre + QPointF(-13.0, 5.0));
    mouth.lineTo(centre + QPointF(13.0, 5.0));
    mouth.quadTo(centre + QPointF(0.0, 24.0), centre + QPointF(-13.0, 5.0));
    mouth.closeSubpath();
    fillInk(p, mouth);
    p.save();
    p.setClipPath(mouth);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(centre.x() - 13.0, centre.y() + 5.0, 26.0, 4.0));
    p.setBrush(QColor(220, 70, 70));
    p.drawEllipse(centre + QPointF(0.0, 15.0), 6.0, 3.5);
    p.restore();
}

void paintSunglasses(QPainter& p, const QPointF& centre)
{
    QPainterPath lenses;
    for (const qreal side : {-9.5, 9.5}) {
        QPainterPath lens;
        const QPointF at = centre + QPointF(side, -6.5);
        lens.moveTo(at + QPointF(-8.0, -4.0));
        lens.lineTo(at + QPointF(8.0, -4.0));
        lens.quadTo(at + QPointF(8.0, 6.0), at + QPointF(0.0, 5.0));
        lens.quadTo(at + QPointF(-8.0, 5.0), at + QPointF(-8.0, -4.0));
        lens.closeSubpath();
        lenses.addPath(lens);
    }
    QPainterPath frame;
    frame.moveTo(centre + QPointF(-22.0, -10.0));
    frame.lineTo(centre + QPointF(22.0, -10.0));
    lenses = lenses.united(stroked(frame, 2.2));
    QLinearGradient glass(centre + QPointF(0, -11), centre + QPointF(0, 0));
    glass.setColorAt(0.0, QColor(70, 70, 90));
    glass.setColorAt(1.0, QColor(8, 8, 14));
    p.setPen(QPen(QColor(0, 0, 0), 0.8));
    p.setBrush(glass);
    p.drawPath(lenses);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + QPointF(-15.0, -8.0), centre + QPointF(-12.0, -5.0));
    p.drawLine(centre + QPointF(4.0, -8.0), centre + QPointF(7.0, -5.0));
}

void paintCrown(QPainter& p, const QPointF& base)
{
    QPainterPath crown;
    crown.moveTo(base + QPointF(-13.0, 0.0));
    crown.lineTo(base + QPointF(-15.0, -13.0));
    crown.lineTo(base + QPointF(-7.0, -6.0));
    crown.lineTo(base + QPointF(0.0, -16.0));
    crown.lineTo(base + QPointF(7.0, -6.0));
    crown.lineTo(base + QPointF(15.0, -13.0));
    crown.lineTo(base + QPointF(13.0, 0.0));
    crown.closeSubpath();
    QLinearGradient gold(base + QPointF(0, -16), base);
    gold.setColorAt(0.0, QColor(255, 246, 170));
    gold.setColorAt(0.5, QColor(255, 196, 20));
    gold.setColorAt(1.0, QColor(200, 120, 0));
    drawOutlined(p, crown, gold, kInk, 1.5);
    p.setPen(QPen(kInk, 0.6));
    p.setBrush(QColor(230, 30, 60));
    p.drawEllipse(base + QPointF(0.0, -4.5), 2.2, 2.2);
    p.setBrush(QColor(40, 120, 255));
    p.drawEllipse(base + QPointF(-8.0, -3.5), 1.6, 1.6);
    p.drawEllipse(base + QPointF(8.0, -3.5), 1.6, 1.6);
}

void paintCrossEyes(QPainter& p, const QPointF& centre)
{
    QPainterPath crosses;
    for (const qreal side : {-8.5, 8.5}) {
        const QPointF eye = centre + QPointF(side, -6.0);
        crosses.moveTo(eye + QPointF(-3.5, -3.5));
        crosses.lineTo(eye + QPointF(3.5, 3.5));
        crosses.moveTo(eye + QPointF(3.5, -3.5));
        crosses.lineTo(eye + QPointF(-3.5, 3.5));
    }
    fillInk(p, stroked(crosses, 2.9));
}

void paintFrown(QPainter& p, const QPointF& centre)
{
    QPainterPath frown;
    frown.moveTo(centre + QPointF(-10.0, 15.0));
    frown.quadTo(centre + QPointF(0.0, 4.0), centre + QPointF(10.0, 15.0));
    fillInk(p, stroked(frown, 3.0));
}

} // namespace

QImage paintFace(int state, int size)
{
    return paintPiece(size, size, kSupersample, [&](QPainter& p) {
        p.scale(size / kUnit, size / kUnit);
        const QPointF centre(32.0, 32.0);
        switch (state) {
        case overlay::kFacePressed: {
            paintHead(p, centre, 29.0, false);
            paintOpenEyes(p, centre + QPointF(0.0, -1.0), 4.6);
            QPainterPath mouth;
            mouth.addEllipse(centre + QPointF(0.0, 12.0), 5.0, 6.5);
            fillInk(p, mouth);
            break;
        }
        case overlay::kFaceWon:
            paintHead(p, centre, 29.0, false);
            paintSunglasses(p, centre);
            paintGrin(p, centre);
            break;
        case overlay::kFaceBlink:
            paintHead(p, centre, 29.0, false);
            paintArcEyes(p, centre, false);
            paintSmile(p, centre, 9.0);
            break;
        case overlay::kFaceWonRecord: {
            // A smaller head leaves room for the crown.
            const QPointF lower(32.0, 36.0);
            paintHead(p, lower, 26.5, false);
            paintArcEyes(p, lower, true);
            paintGrin(p, lower);
            paintCrown(p, QPointF(32.0, 18.0));
            break;
        }
        case overlay::kFaceLost:
            paintHead(p, centre, 29.0, true);
            paintCrossEyes(p, centre);
            paintFrown(p, centre);
            break;
        default:
            paintHead(p, centre, 29.0, false);
            paintOpenEyes(p, centre, 3.8);
            paintSmile(p, centre, 9.0);
            break;
        }
    });
}

} // namespace kubrix
