// Lays out the overlay atlas and paints its banners and backdrop.
#include "skin_art/overlay_atlas_painter.h"

#include "core/scene/atlas.h"
#include "skin_art/art_text.h"
#include "skin_art/atlas_painter.h"
#include "skin_art/counter_painter.h"
#include "skin_art/face_painter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace kubrix {

namespace {

constexpr int kSupersample = 4;
// Edge pixels are repeated this far outwards so that filtering never reaches empty texels.
constexpr int kGutter = 2;

int channel(double value)
{
    return std::clamp(static_cast<int>(std::lround(value)), 0, 255);
}

void placeCounters(AtlasPainter& atlas)
{
    const auto place = [&](int image, const auto& paint) {
        const QRect target = atlas.pixels(overlayImage(image));
        atlas.place(target, paint(target.width(), target.height()), kGutter);
    };
    for (int digit = 0; digit < 10; ++digit)
        place(overlay::kFirstDigit + digit,
              [digit](int w, int h) { return paintCounterDigit(digit, w, h); });
    place(overlay::kTimeSeparator, [](int w, int h) { return paintCounterSeparator(w, h); });
    place(overlay::kTimeCounterOpen,
          [](int w, int h) { return paintCounterEnd(CounterEnd::TimeOpen, w, h); });
    place(overlay::kTimeCounterClose,
          [](int w, int h) { return paintCounterEnd(CounterEnd::TimeClose, w, h); });
    place(overlay::kBombCounterInnerEnd,
          [](int w, int h) { return paintCounterEnd(CounterEnd::BombInner, w, h); });
    place(overlay::kBombCounterOuterEnd,
          [](int w, int h) { return paintCounterEnd(CounterEnd::BombOuter, w, h); });
}

} // namespace

QImage paintBanner(bool won, int width, int height)
{
    return paintPiece(width, height, kSupersample, [&](QPainter& p) {
        const QRectF plate(1.5, 1.5, width - 3.0, height - 3.0);
        const qreal radius = height * 0.3;
        QLinearGradient body(plate.topLeft(), plate.bottomLeft());
        if (won) {
            body.setColorAt(0.0, QColor(120, 220, 110));
            body.setColorAt(0.5, QColor(36, 150, 60));
            body.setColorAt(1.0, QColor(14, 90, 36));
        } else {
            body.setColorAt(0.0, QColor(250, 110, 90));
            body.setColorAt(0.5, QColor(196, 30, 30));
            body.setColorAt(1.0, QColor(110, 8, 12));
        }
        const QColor rim = won ? QColor(255, 214, 80) : QColor(40, 8, 8);
        p.setPen(QPen(rim, 2.4));
        p.setBrush(body);
        p.drawRoundedRect(plate, radius, radius);
        // A glassy sheen on the upper half.
        QLinearGradient sheen(plate.topLeft(), QPointF(plate.left(), plate.center().y()));
        sheen.setColorAt(0.0, QColor(255, 255, 255, 90));
        sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(sheen);
        p.drawRoundedRect(plate.adjusted(4, 3, -4, -plate.height() / 2), radius * 0.6,
                          radius * 0.6);

        const QString text = won ? QStringLiteral("WELL DONE!") : QStringLiteral("GAME OVER");
        const qreal textHeight = height * 0.56;
        const QRectF box(plate.left() + radius, plate.center().y() - textHeight / 2,
                         plate.width() - 2 * radius, textHeight);
        const QPainterPath letters = fittedText(text, box);
        QLinearGradient ink(box.topLeft(), box.bottomLeft());
        ink.setColorAt(0.0, Qt::white);
        ink.setColorAt(1.0, won ? QColor(255, 240, 170) : QColor(255, 220, 200));
        drawOutlined(p, letters, ink, won ? QColor(8, 50, 16) : QColor(60, 0, 0), 2.0);
    });
}

QImage paintBackground(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    const QColor top(78, 102, 128);
    const QColor bottom(26, 36, 50);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        const double t = (y + 0.5) / height;
        for (int x = 0; x < width; ++x) {
            const double dx = (x + 0.5) / width - 0.5;
            const double dy = t - 0.5;
            const double vignette = 1.0 - 0.3 * std::pow(2.0 * (dx * dx + dy * dy), 1.3);
            // Half a level of fixed noise breaks the bands of a gradient that gets stretched.
            const double dither = latticeNoise(x, y, 77) - 0.5;
            const auto mix = [&](int a, int b) {
                return channel((a + (b - a) * t) * vignette + dither);
            };
            row[x] = qRgb(mix(top.red(), bottom.red()), mix(top.green(), bottom.green()),
                          mix(top.blue(), bottom.blue()));
        }
    }
    return image;
}

QImage paintOverlayAtlas(int size)
{
    AtlasPainter atlas(size);
    const QRect background = atlas.pixels(overlayImage(overlay::kBackground));
    atlas.place(background, paintBackground(background.width(), background.height()), kGutter);
    for (const bool won : {true, false}) {
        const QRect target =
            atlas.pixels(overlayImage(won ? overlay::kWonBanner : overlay::kLostBanner));
        atlas.place(target, paintBanner(won, target.width(), target.height()), kGutter);
    }
    placeCounters(atlas);
    for (int face = overlay::kFirstFace; face <= overlay::kLastFace; ++face) {
        const QRect target = atlas.pixels(overlayImage(face));
        atlas.place(target, paintFace(face, target.width()), kGutter);
    }
    return atlas.image();
}

} // namespace kubrix
