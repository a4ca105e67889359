// The tutorial's page illustrations.
#include "platform/ui/tutorial_art_painter.h"

#include "core/formats/packed_image.h"
#include "core/formats/skin_package.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kubrix {

namespace {

// The skin package's two images.
constexpr int kCubeAtlas = 0;
constexpr int kOverlayAtlas = 1;
// The tiles of a crate's front face (the +Z direction, drawn upright in the atlas).
constexpr int kFrontFace = 5;
// How far the crate's top and side reach back, as a share of its front.
constexpr qreal kDepth = 0.3;

// The skin keeps its pictures bottom row first, as OpenGL takes them.
QImage atlasOf(const SkinPackage& skin, int slot)
{
    RgbaImage image;
    if (!unpack(skin.imageRecord(slot), image) || image.empty())
        return {};
    // mirrored() copies the pixels, so the image outlives them.
    return QImage(image.pixels.data(), image.width, image.height, QImage::Format_RGBA8888)
        .mirrored();
}

QPen inkPen(qreal width)
{
    return QPen(TutorialArtPainter::ink(), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void arrowHead(QPainter& p, const QPointF& tip, qreal degrees, qreal size)
{
    QPainterPath head;
    head.moveTo(0, 0);
    head.lineTo(-size, -size * 0.55);
    head.lineTo(-size, size * 0.55);
    head.closeSubpath();
    p.save();
    p.translate(tip);
    p.rotate(degrees);
    p.setPen(Qt::NoPen);
    p.setBrush(TutorialArtPainter::ink());
    p.drawPath(head);
    p.restore();
}

void straightArrow(QPainter& p, const QPointF& from, const QPointF& to)
{
    const qreal head = 7.0;
    const QPointF along = to - from;
    const qreal length = std::hypot(along.x(), along.y());
    if (length <= head)
        return;
    p.setPen(inkPen(2.5));
    p.drawLine(from, to - along * (head / length));
    arrowHead(p, to, std::atan2(along.y(), along.x()) * 180.0 / std::numbers::pi, head);
}

// An arc of the ellipse in the box (angles as QPainterPath takes them: degrees,
// counter-clockwise from three o'clock) with a head at its end.
void arcArrow(QPainter& p, const QRectF& box, qreal startDegrees, qreal spanDegrees)
{
    QPainterPath arc;
    arc.arcMoveTo(box, startDegrees);
    arc.arcTo(box, startDegrees, spanDegrees);
    p.setPen(inkPen(3.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    // QPainterPath measures angles counter-clockwise, the painter's rotation clockwise.
    arrowHead(p, arc.pointAtPercent(1.0), -arc.angleAtPercent(1.0), 10.0);
}

void stopwatch(QPainter& p, const QPointF& centre, qreal radius)
{
    p.setPen(inkPen(3.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius, radius);
    // The crown and its button on top.
    p.drawLine(centre - QPointF(0, radius), centre - QPointF(0, radius * 1.18));
    p.drawLine(centre - QPointF(radius * 0.16, radius * 1.22),
               centre - QPointF(-radius * 0.16, radius * 1.22));
    for (int hour = 0; hour < 12; ++hour) {
        const qreal angle = hour * std::numbers::pi / 6.0;
        const QPointF direction(std::sin(angle), -std::cos(angle));
        p.setPen(inkPen(hour % 3 == 0 ? 2.5 : 1.2));
        p.drawLine(centre + direction * radius * 0.78, centre + direction * radius * 0.9);
    }
    p.setPen(inkPen(3.0));
    p.drawLine(centre, centre + QPointF(radius * 0.45, -radius * 0.45));
    p.drawLine(centre, centre + QPointF(0, -radius * 0.68));
    p.setBrush(TutorialArtPainter::ink());
    p.drawEllipse(centre, 2.5, 2.5);
}

// The transform that takes the unit square onto the parallelogram with this corner and sides.
QTransform onto(const QPointF& corner, const QPointF& across, const QPointF& down)
{
    return QTransform(across.x(), across.y(), down.x(), down.y(), corner.x(), corner.y());
}

} // namespace

QColor TutorialArtPainter::ink()
{
    return {255, 214, 10};
}

TutorialArtPainter::TutorialArtPainter(const SkinPackage& skin)
    : cubes_(atlasOf(skin, kCubeAtlas)), overlay_(atlasOf(skin, kOverlayAtlas))
{
}

bool TutorialArtPainter::atlasPicture(QPainter& p, const QImage& atlas, const QRectF& box,
                                      const AtlasRect& rect) const
{
    if (atlas.isNull())
        return false;
    const PixelRect pixels = toPixels(rect, atlas.width(), atlas.height());
    p.drawImage(box, atlas, QRectF(pixels.left, pixels.top, pixels.width(), pixels.height()));
    return true;
}

void TutorialArtPainter::crate(QPainter& p, const QRectF& box, Mark mark) const
{
    const qreal side = std::min(box.width(), box.height()) / (1.0 + kDepth);
    const qreal depth = side * kDepth;
    const QPointF front = box.topLeft() + QPointF(0, depth);
    const QPointF back(depth, -depth);
    struct Face {
        QTransform place;
        int tile;
        QColor shade;
    };
    const int frontTile = mark == Mark::Flag      ? cubeTiles::kMarked + kFrontFace
                          : mark == Mark::Suspect ? cubeTiles::kSuspect + kFrontFace
                                                  : cubeTiles::kPlain + kFrontFace;
    const Face faces[] = {
        {onto(front + back, {side, 0}, -back), cubeTiles::kPlain + kFrontFace,
         QColor(255, 255, 255, 40)},
        {onto(front + QPointF(side, 0), back, {0, side}), cubeTiles::kPlain + kFrontFace,
         QColor(0, 0, 0, 90)},
        {onto(front, {side, 0}, {0, side}), frontTile, QColor(0, 0, 0, 0)},
    };
    for (const Face& face : faces) {
        p.save();
        p.setTransform(face.place, true);
        const QRectF unit(0, 0, 1, 1);
        if (!atlasPicture(p, cubes_, unit, cubeTile(face.tile)))
            p.fillRect(unit, QColor(190, 130, 70));
        p.fillRect(unit, face.shade);
        p.restore();
    }
    if (cubes_.isNull() && mark != Mark::None) {
        // Without the skin's crates the mark is lettered on the front.
        p.setPen(inkPen(2.0));
        p.setFont(QFont(QStringLiteral("DejaVu Sans"), -1, QFont::Bold));
        p.drawText(QRectF(front, QSizeF(side, side)), Qt::AlignCenter,
                   mark == Mark::Flag ? QStringLiteral("X") : QStringLiteral("?"));
    }
}

void TutorialArtPainter::figure(QPainter& p, const QRectF& box, Figure what) const
{
    if (what.number <= 0) {
        crate(p, box, what.mark);
    } else if (!atlasPicture(p, cubes_, box, labelRect(what.number))) {
        p.setPen(inkPen(2.0));
        p.drawText(box, Qt::AlignCenter, QString::number(what.number));
    }
}

void TutorialArtPainter::sequence(QPainter& p, const QPointF& centre, qreal size,
                                  std::initializer_list<Figure> figures) const
{
    const qreal gap = size * 0.55;
    const auto count = static_cast<qreal>(figures.size());
    qreal x = centre.x() - (count * size + (count - 1) * gap) / 2;
    bool first = true;
    for (const Figure& what : figures) {
        if (!first)
            straightArrow(p, QPointF(x - gap + 3, centre.y()), QPointF(x - 3, centre.y()));
        figure(p, QRectF(x, centre.y() - size / 2, size, size), what);
        x += size + gap;
        first = false;
    }
}

void TutorialArtPainter::mouse(QPainter& p, const QPointF& centre, Button button, bool drag) const
{
    const QRectF body(centre.x() - 13, centre.y() - 19, 26, 38);
    const qreal split = body.top() + body.height() * 0.42;
    QPainterPath lit;
    const QRectF half =
        button == Button::Left
            ? QRectF(body.left(), body.top(), body.width() / 2, split - body.top())
            : QRectF(body.center().x(), body.top(), body.width() / 2, split - body.top());
    QPainterPath outline;
    outline.addRoundedRect(body, 12, 12);
    lit.addRect(half);
    p.setPen(Qt::NoPen);
    p.setBrush(ink());
    p.drawPath(outline.intersected(lit));
    p.setPen(inkPen(2.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
    p.drawLine(QPointF(body.left(), split), QPointF(body.right(), split));
    p.drawLine(QPointF(body.center().x(), body.top()), QPointF(body.center().x(), split));
    if (drag) {
        const qreal y = body.center().y();
        straightArrow(p, QPointF(body.left() - 6, y), QPointF(body.left() - 24, y));
        straightArrow(p, QPointF(body.right() + 6, y), QPointF(body.right() + 24, y));
    }
}

void TutorialArtPainter::paint(QPainter& p, TutorialArt art, const QRectF& area) const
{
    p.save();
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    const qreal middle = area.center().y();
    const QPointF centre = area.center();
    // Pages about a mouse button show the mouse on the left, what it does beside it.
    const QPointF mouseAt(area.left() + area.width() * 0.2, middle);
    const QPointF doneAt(area.left() + area.width() * 0.6, middle);
    const qreal high = area.height();
    switch (art) {
    case TutorialArt::Bomb: {
        const qreal size = high * 0.8;
        crate(p, QRectF(centre.x() - size * 0.85, middle - size / 2, size, size), Mark::None);
        atlasPicture(p, cubes_,
                     QRectF(centre.x() - size * 0.25, middle - size * 0.5, size * 1.1, size * 1.1),
                     bombSprite(0));
        break;
    }
    case TutorialArt::Clock:
        stopwatch(p, QPointF(centre.x(), middle + high * 0.06), high * 0.38);
        break;
    case TutorialArt::Expose:
        mouse(p, mouseAt, Button::Left, false);
        sequence(p, doneAt, high * 0.62, {{}, {Mark::None, 1}});
        break;
    case TutorialArt::Mark:
        mouse(p, mouseAt, Button::Right, false);
        sequence(p, doneAt, high * 0.62, {{}, {Mark::Flag}});
        break;
    case TutorialArt::MarkCycle:
        mouse(p, mouseAt, Button::Right, false);
        sequence(p, doneAt, high * 0.5, {{Mark::Flag}, {Mark::Suspect}, {}});
        break;
    case TutorialArt::Turn: {
        mouse(p, mouseAt, Button::Left, true);
        const qreal size = high * 0.58;
        const QRectF box(doneAt.x() - size / 2, middle - size * 0.62, size, size);
        crate(p, box, Mark::None);
        arcArrow(p, box.adjusted(-size * 0.45, size * 0.55, size * 0.45, size * 0.2), 200, 140);
        break;
    }
    case TutorialArt::Spin: {
        mouse(p, mouseAt, Button::Right, true);
        const qreal size = high * 0.5;
        const QRectF box(doneAt.x() - size / 2, middle - size / 2, size, size);
        crate(p, box, Mark::None);
        arcArrow(p, box.adjusted(-size * 0.3, -size * 0.3, size * 0.3, size * 0.3), 120, -300);
        break;
    }
    case TutorialArt::Pattern: {
        const qreal size = high * 0.62;
        const QRectF first(centre.x() - size, middle - size / 2, size, size);
        p.setPen(inkPen(3.0));
        p.drawLine(first.topLeft() + QPointF(-8, -8), first.bottomLeft() + QPointF(-8, 8));
        figure(p, first, {Mark::None, 1});
        figure(p, first.translated(size, 0), {Mark::None, 1});
        break;
    }
    case TutorialArt::Done: {
        const qreal size = high * 0.9;
        atlasPicture(p, overlay_, QRectF(centre.x() - size / 2, middle - size / 2, size, size),
                     overlayImage(overlay::kFaceWon));
        break;
    }
    }
    p.restore();
}

} // namespace kubrix
