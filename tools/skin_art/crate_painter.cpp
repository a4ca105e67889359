// Paints crate faces: a frame of boards with metal corner brackets around planks and a brace.
#include "skin_art/crate_painter.h"

#include "skin_art/art_text.h"
#include "skin_art/atlas_painter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>

namespace kubrix {

namespace {

// The face is designed on a 64-unit square.
constexpr qreal kUnit = 64.0;
constexpr qreal kFrame = 9.5;
constexpr int kSupersample = 4;

const QColor kGap(52, 30, 12);
const QColor kEdge(36, 20, 8);
const QColor kPlankWood(214, 160, 98);
const QColor kFrameWood(160, 100, 48);
const QColor kGrain(110, 64, 26);

// Clockwise turns, per face direction -X, +X, -Y, +Y, -Z, +Z, that stand the picture upright
// where the face shows it: +y up on the four sides, and on the top and bottom the edge that
// rises when the block is tipped towards the viewer (-z on the top, +z on the bottom). The
// face's texture corners point the tile's top elsewhere on most faces, never mirrored.
constexpr std::array<int, 6> kTurn{180, 90, 270, 90, 0, 180};
// Light levels for -X, +X, -Y, +Y, -Z, +Z: the top brightest, the bottom darkest.
constexpr std::array<double, 6> kLight{0.90, 0.95, 0.80, 1.0, 0.86, 0.97};

QColor scaled(const QColor& colour, double factor)
{
    return QColor::fromRgbF(static_cast<float>(std::min(1.0, colour.redF() * factor)),
                            static_cast<float>(std::min(1.0, colour.greenF() * factor)),
                            static_cast<float>(std::min(1.0, colour.blueF() * factor)),
                            colour.alphaF());
}

// A board lying along the x axis of its own frame: shaded across, with grain lines along it.
void paintBoard(QPainter& p, const QRectF& board, const QColor& wood, int seed)
{
    QLinearGradient shade(board.topLeft(), board.bottomLeft());
    shade.setColorAt(0.0, scaled(wood, 1.12));
    shade.setColorAt(0.25, wood);
    shade.setColorAt(1.0, scaled(wood, 0.78));
    p.fillRect(board, shade);

    const int lines = std::max(2, static_cast<int>(board.height() / 2.6));
    for (int i = 0; i < lines; ++i) {
        const qreal base = board.top() + board.height() * (i + 0.5) / lines;
        QPainterPath grain;
        const qreal phase = latticeNoise(i, 1, seed) * 6.28;
        const qreal amplitude = 0.3 + 0.6 * latticeNoise(i, 2, seed);
        for (qreal x = board.left(); x <= board.right() + 0.01; x += 1.0) {
            const qreal y = base + amplitude * std::sin(x * 0.21 + phase);
            if (x == board.left())
                grain.moveTo(x, y);
            else
                grain.lineTo(x, y);
        }
        QColor line = kGrain;
        line.setAlphaF(static_cast<float>(0.25 + 0.3 * latticeNoise(i, 3, seed)));
        p.setPen(QPen(line, 0.35 + 0.3 * latticeNoise(i, 4, seed)));
        p.setBrush(Qt::NoBrush);
        p.drawPath(grain);
    }
    // A lit upper edge and a dark lower edge make the board stand out from its neighbours.
    p.setPen(QPen(scaled(wood, 1.25), 0.6));
    p.drawLine(QPointF(board.left(), board.top() + 0.3), QPointF(board.right(), board.top() + 0.3));
    p.setPen(QPen(kEdge, 0.8));
    p.drawLine(QPointF(board.left(), board.bottom() - 0.4),
               QPointF(board.right(), board.bottom() - 0.4));
}

void paintPlanks(QPainter& p)
{
    const qreal inner = kUnit - 2 * kFrame;
    const qreal plank = inner / 3.0;
    for (int i = 0; i < 3; ++i) {
        const QRectF board(kFrame, kFrame + i * plank + 0.45, inner, plank - 0.9);
        paintBoard(p, board, scaled(kPlankWood, 0.96 + 0.05 * i), 10 + i);
    }
    // A knot in the middle plank.
    p.setPen(QPen(QColor(120, 70, 30, 170), 0.6));
    p.setBrush(QColor(150, 92, 44, 150));
    p.drawEllipse(QPointF(40.0, 32.5), 2.4, 1.4);
}

void paintBrace(QPainter& p)
{
    p.save();
    p.setClipRect(QRectF(kFrame, kFrame, kUnit - 2 * kFrame, kUnit - 2 * kFrame));
    const QPointF from(kFrame, kUnit - kFrame);
    const QPointF to(kUnit - kFrame, kFrame);
    const qreal length = std::hypot(to.x() - from.x(), to.y() - from.y()) + 8.0;
    p.translate(QPointF((from.x() + to.x()) / 2, (from.y() + to.y()) / 2));
    p.rotate(-45.0);
    const QRectF board(-length / 2, -4.6, length, 9.2);
    // A soft shadow under the brace.
    p.fillRect(board.translated(0.0, 1.4), QColor(40, 22, 8, 110));
    paintBoard(p, board, kFrameWood, 20);
    p.setPen(QPen(kEdge, 0.8));
    p.drawLine(QPointF(board.left(), board.top()), QPointF(board.right(), board.top()));
    p.restore();
}

void paintFrame(QPainter& p)
{
    // Top and bottom boards run across; the side boards sit between them.
    paintBoard(p, QRectF(0, 0, kUnit, kFrame), kFrameWood, 30);
    paintBoard(p, QRectF(0, kUnit - kFrame, kUnit, kFrame), kFrameWood, 31);
    for (int side = 0; side < 2; ++side) {
        p.save();
        const qreal x = side == 0 ? 0.0 : kUnit - kFrame;
        p.translate(x + kFrame, kFrame);
        p.rotate(90.0);
        paintBoard(p, QRectF(0, 0, kUnit - 2 * kFrame, kFrame), scaled(kFrameWood, 0.95),
                   32 + side);
        p.restore();
    }
    p.setPen(QPen(kEdge, 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(kFrame, kFrame, kUnit - 2 * kFrame, kUnit - 2 * kFrame));
    p.drawLine(QPointF(kFrame, kFrame), QPointF(kFrame, kUnit - kFrame));
    p.setPen(QPen(kEdge, 1.6));
    p.drawRect(QRectF(0.8, 0.8, kUnit - 1.6, kUnit - 1.6));
}

void paintNail(QPainter& p, const QPointF& at, qreal radius)
{
    QRadialGradient head(at - QPointF(radius * 0.35, radius * 0.35), radius * 1.3);
    head.setColorAt(0.0, QColor(235, 238, 242));
    head.setColorAt(0.5, QColor(140, 146, 154));
    head.setColorAt(1.0, QColor(60, 62, 68));
    p.setPen(QPen(QColor(30, 30, 34), 0.5));
    p.setBrush(head);
    p.drawEllipse(at, radius, radius);
}

// An L-shaped metal bracket over the top-left corner; the caller turns it to each corner.
void paintBracket(QPainter& p)
{
    constexpr qreal arm = 16.0;
    constexpr qreal width = 6.2;
    QPainterPath bracket;
    bracket.moveTo(1.2, 1.2);
    bracket.lineTo(arm, 1.2);
    bracket.lineTo(arm, width);
    bracket.lineTo(width, width);
    bracket.lineTo(width, arm);
    bracket.lineTo(1.2, arm);
    bracket.closeSubpath();
    QLinearGradient metal(QPointF(0, 0), QPointF(arm, arm));
    metal.setColorAt(0.0, QColor(196, 202, 210));
    metal.setColorAt(0.6, QColor(120, 126, 136));
    metal.setColorAt(1.0, QColor(84, 88, 96));
    p.setPen(QPen(QColor(28, 28, 32), 0.9));
    p.setBrush(metal);
    p.drawPath(bracket);
    paintNail(p, QPointF(3.7, 3.7), 1.55);
    paintNail(p, QPointF(arm - 3.0, 3.7), 1.3);
    paintNail(p, QPointF(3.7, arm - 3.0), 1.3);
}

void paintBrackets(QPainter& p)
{
    for (int corner = 0; corner < 4; ++corner) {
        p.save();
        p.translate(kUnit / 2, kUnit / 2);
        p.rotate(90.0 * corner);
        p.translate(-kUnit / 2, -kUnit / 2);
        paintBracket(p);
        p.restore();
    }
}

void paintQuestion(QPainter& p)
{
    const QPainterPath glyph = fittedText(QStringLiteral("?"), QRectF(17, 10, 30, 44));
    QLinearGradient fill(QPointF(0, 10), QPointF(0, 54));
    fill.setColorAt(0.0, QColor(255, 236, 90));
    fill.setColorAt(1.0, QColor(255, 168, 0));
    drawOutlined(p, glyph, fill, QColor(24, 14, 4), 2.6);
}

void paintFlag(QPainter& p)
{
    const QColor outline(24, 12, 6);
    // Pole and foot.
    QPainterPath foot;
    foot.moveTo(15, 55);
    foot.lineTo(19, 49);
    foot.lineTo(33, 49);
    foot.lineTo(37, 55);
    foot.closeSubpath();
    drawOutlined(p, foot, QColor(70, 72, 78), outline, 1.4);
    QPainterPath pole;
    pole.addRect(QRectF(24, 10, 4, 40));
    QLinearGradient steel(QPointF(24, 0), QPointF(28, 0));
    steel.setColorAt(0.0, QColor(230, 230, 236));
    steel.setColorAt(1.0, QColor(110, 112, 120));
    drawOutlined(p, pole, steel, outline, 1.4);
    // A waving pennant.
    QPainterPath cloth;
    cloth.moveTo(28, 10);
    cloth.cubicTo(36, 8, 42, 16, 52, 14);
    cloth.cubicTo(48, 22, 49, 27, 53, 33);
    cloth.cubicTo(44, 35, 36, 29, 28, 32);
    cloth.closeSubpath();
    QLinearGradient red(QPointF(28, 10), QPointF(52, 34));
    red.setColorAt(0.0, QColor(255, 80, 64));
    red.setColorAt(1.0, QColor(190, 10, 24));
    drawOutlined(p, cloth, red, outline, 1.6);
}

void paintCross(QPainter& p)
{
    QPainterPath cross;
    cross.moveTo(12, 12);
    cross.lineTo(52, 52);
    cross.moveTo(52, 12);
    cross.lineTo(12, 52);
    QPainterPathStroker stroker;
    stroker.setWidth(7.0);
    stroker.setCapStyle(Qt::RoundCap);
    const QPainterPath bars = stroker.createStroke(cross).simplified();
    drawOutlined(p, bars, QColor(235, 20, 20), QColor(255, 245, 235), 1.8);
}

void paintCanonical(QPainter& p, CrateMark mark)
{
    p.fillRect(QRectF(0, 0, kUnit, kUnit), kGap);
    paintPlanks(p);
    paintBrace(p);
    paintFrame(p);
    paintBrackets(p);
    switch (mark) {
    case CrateMark::None:
        break;
    case CrateMark::Suspect:
        paintQuestion(p);
        break;
    case CrateMark::Flag:
        paintFlag(p);
        break;
    case CrateMark::WrongFlag:
        // The mistaken crate is dimmed so the cross is what the eye finds.
        p.fillRect(QRectF(0, 0, kUnit, kUnit), QColor(0, 0, 0, 80));
        paintFlag(p);
        paintCross(p);
        break;
    }
}

} // namespace

QImage paintCrateTile(CrateMark mark, int direction, int size)
{
    direction = std::clamp(direction, 0, 5);
    const auto index = static_cast<std::size_t>(direction);
    const QImage face = paintPiece(size, size, kSupersample, [&](QPainter& p) {
        p.scale(size / kUnit, size / kUnit);
        paintCanonical(p, mark);
    });
    QImage turned =
        face.transformed(QTransform().rotate(kTurn[index])).convertToFormat(QImage::Format_ARGB32);
    const double light = kLight[index];
    for (int y = 0; y < turned.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(turned.scanLine(y));
        for (int x = 0; x < turned.width(); ++x) {
            const auto level = [&](int channel) {
                return std::min(255, static_cast<int>(std::lround(channel * light)));
            };
            row[x] = qRgba(level(qRed(row[x])), level(qGreen(row[x])), level(qBlue(row[x])), 255);
        }
    }
    return turned;
}

} // namespace kubrix
