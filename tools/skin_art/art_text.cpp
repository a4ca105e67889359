// Finds the art's font and turns text into outlined, box-filling shapes.
#include "skin_art/art_text.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>
#include <QPen>

#include <algorithm>

namespace kubrix {

namespace {

const char* const kFamily = "DejaVu Sans";
const char* const kFontFiles[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
    "/usr/share/fonts/dejavu/DejaVuSans-Bold.ttf",
};

} // namespace

bool loadArtFont()
{
    for (const char* file : kFontFiles) {
        if (QFontDatabase::addApplicationFont(QString::fromUtf8(file)) >= 0)
            break;
    }
    return QFontInfo(artFont()).family() == QLatin1String(kFamily);
}

QFont artFont()
{
    QFont font(QString::fromUtf8(kFamily));
    font.setBold(true);
    font.setPixelSize(100);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QPainterPath fittedText(const QString& text, const QRectF& box)
{
    QPainterPath raw;
    raw.addText(0, 0, artFont(), text);
    const QRectF ink = raw.boundingRect();
    if (ink.isEmpty())
        return raw;
    const qreal scaleY = box.height() / ink.height();
    const qreal scaleX = std::min(scaleY, box.width() / ink.width());
    QTransform transform;
    transform.translate(box.center().x(), box.center().y());
    transform.scale(scaleX, scaleY);
    transform.translate(-ink.center().x(), -ink.center().y());
    return transform.map(raw);
}

void drawOutlined(QPainter& painter, const QPainterPath& shape, const QBrush& fill,
                  const QColor& outline, qreal outlineWidth)
{
    painter.save();
    // A stroke twice as wide, half of it then covered by the fill.
    QPen pen(outline, outlineWidth * 2.0);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(shape);
    painter.restore();
}

} // namespace kubrix
