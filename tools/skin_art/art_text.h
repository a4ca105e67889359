// Lettering for the skin art: the one bold font, text fitted into boxes, outlined shapes.
#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QRectF>
#include <QString>

class QPainter;

namespace kubrix {

// Makes bold DejaVu Sans available; false when it is not installed, since another font would
// make the art differ from machine to machine.
bool loadArtFont();
QFont artFont();

// The outline of text whose ink fills the height of box, squeezed sideways when it would be wider
// than box, and centred in it.
QPainterPath fittedText(const QString& text, const QRectF& box);

// Fills a shape and surrounds it with an outline of the given width lying wholly outside it.
void drawOutlined(QPainter& painter, const QPainterPath& shape, const QBrush& fill,
                  const QColor& outline, qreal outlineWidth);

} // namespace kubrix
