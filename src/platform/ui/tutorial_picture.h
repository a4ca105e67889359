// A tutorial page as a picture: its title and text lettered in yellow on black, an illustration
// below them.
#pragma once

#include "core/tutorial/tutorial_pages.h"
#include "platform/ui/tutorial_art_painter.h"

#include <QPixmap>
#include <QSize>

namespace kubrix {

class SkinPackage;

class TutorialPicture {
public:
    // In logical pixels; the picture is drawn at the screen's own resolution.
    static constexpr QSize kSize{320, 250};

    explicit TutorialPicture(const SkinPackage& skin) : art_(skin) {}

    QPixmap paint(const TutorialPage& page, qreal devicePixelRatio) const;

private:
    TutorialArtPainter art_;
};

} // namespace kubrix
