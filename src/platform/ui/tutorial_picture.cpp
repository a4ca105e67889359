// The pictures of the tutorial's pages.
#include "platform/ui/tutorial_picture.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kubrix {

namespace {

constexpr qreal kMargin = 14.0;
constexpr qreal kTitleGap = 6.0;
// The illustration's strip under the text.
constexpr qreal kArtHeight = 84.0;
// The text is lettered at the largest of these sizes (pixels) at which it fits, the title two
// pixels larger.
constexpr int kLargestText = 16;
constexpr int kSmallestText = 10;

QFont letteringFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace

QPixmap TutorialPicture::paint(const TutorialPage& page, qreal devicePixelRatio) const
{
    const QSize pixels(static_cast<int>(std::ceil(kSize.width() * devicePixelRatio)),
                       static_cast<int>(std::ceil(kSize.height() * devicePixelRatio)));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::black);

    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    p.setPen(TutorialArtPainter::ink());
    const QString title = QString::fromUtf8(page.title);
    const QString body = QString::fromUtf8(page.text);
    const QRectF room(kMargin, kMargin, kSize.width() - 2 * kMargin,
                      kSize.height() - 2 * kMargin - kArtHeight);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    qreal textBottom = room.bottom();
    for (int size = kLargestText; size >= kSmallestText; --size) {
        const QFont heading = letteringFont(size + 2, true);
        const QFont lettering = letteringFont(size, false);
        const QRectF titleBox = QFontMetricsF(heading).boundingRect(room, flags, title);
        const QRectF bodyRoom = room.adjusted(0, titleBox.height() + kTitleGap, 0, 0);
        const QRectF bodyBox = QFontMetricsF(lettering).boundingRect(bodyRoom, flags, body);
        if (bodyBox.bottom() <= room.bottom() || size == kSmallestText) {
            p.setFont(heading);
            p.drawText(room, flags, title);
            p.setFont(lettering);
            p.drawText(bodyRoom, flags, body);
            textBottom = std::min(bodyBox.bottom(), room.bottom());
            break;
        }
    }
    // The same size on every page, in the middle of the room the text leaves.
    const qreal artMiddle = (textBottom + kSize.height()) / 2;
    art_.paint(p, page.art, QRectF(kMargin, artMiddle - kArtHeight / 2, room.width(), kArtHeight));
    p.end();
    return QPixmap::fromImage(image);
}

} // namespace kubrix
