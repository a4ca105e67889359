// Paints the About box's artwork from the skin's own crate, bomb and lettering.
#include "skin_art/about_painter.h"

#include "skin_art/art_text.h"
#include "skin_art/atlas_painter.h"
#include "skin_art/crate_painter.h"
#include "skin_art/icon_painter.h"

#include <QLinearGradient>
#include <QPainter>

#include <array>

namespace kubrix {

namespace {

constexpr int kSupersample = 4;
constexpr int kFront = 5; // the crate tile direction that faces the viewer

void drawLettering(QPainter& p, const QRectF& box)
{
    // Lit from above like the crates' boards: pale wood at the top, dark at the foot.
    QLinearGradient wood(box.topLeft(), box.bottomLeft());
    wood.setColorAt(0.0, QColor(250, 214, 150));
    wood.setColorAt(0.55, QColor(214, 150, 72));
    wood.setColorAt(1.0, QColor(140, 84, 34));
    drawOutlined(p, fittedText(QStringLiteral("Kubrix"), box), wood, QColor(52, 30, 12), 3.0);
}

// A short row of crates as the block shows them: plain, flagged and suspect.
void drawCrateRow(QPainter& p, qreal left, qreal top, qreal side)
{
    constexpr std::array<CrateMark, 7> marks{CrateMark::None, CrateMark::Flag,    CrateMark::None,
                                             CrateMark::None, CrateMark::Suspect, CrateMark::None,
                                             CrateMark::Flag};
    qreal x = left;
    for (const CrateMark mark : marks) {
        p.drawImage(QRectF(x, top, side, side), paintCrateTile(mark, kFront, 128));
        x += side + 2;
    }
}

} // namespace

QImage paintAbout(int width, int height)
{
    QImage about = paintPiece(width, height, kSupersample, [&](QPainter& p) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.fillRect(QRectF(0, 0, width, height), Qt::black);
        const qreal iconSide = height - 8.0;
        p.drawImage(QRectF(4, 4, iconSide, iconSide), paintIcon(256));
        const qreal left = iconSide + 14.0;
        const qreal right = width - 10.0;
        drawLettering(p, QRectF(left, 10, right - left, height * 0.5));
        const qreal side = (right - left - 12.0) / 7.0;
        drawCrateRow(p, left, height - side - 8.0, side);
    });
    return about.convertToFormat(QImage::Format_RGB32);
}

} // namespace kubrix
