// The small illustrations beside the tutorial's page texts, drawn with the skin's own pictures.
#pragma once

#include "core/scene/atlas.h"
#include "core/tutorial/tutorial_pages.h"

#include <QColor>
#include <QImage>
#include <QRectF>

#include <initializer_list>

class QPainter;
class QPointF;

namespace kubrix {

class SkinPackage;

// The crates, numbers, bomb and face come from the skin's atlases, so the pages show what the
// block shows; the mouse, arrows and clock are drawn in the pages' yellow. A skin without
// atlases gets plain shapes in their place.
class TutorialArtPainter {
public:
    explicit TutorialArtPainter(const SkinPackage& skin);

    // The yellow of the pages' lettering and drawings.
    static QColor ink();

    // Draws the page's illustration centred in the area.
    void paint(QPainter& p, TutorialArt art, const QRectF& area) const;

private:
    enum class Mark { None, Flag, Suspect };
    enum class Button { Left, Right };
    // A crate with its mark, or the label of an exposed cube when number is 1 or more.
    struct Figure {
        Mark mark = Mark::None;
        int number = 0;
    };

    // A crate seen slightly from above and from the right, filling the square box.
    void crate(QPainter& p, const QRectF& box, Mark mark) const;
    void figure(QPainter& p, const QRectF& box, Figure what) const;
    // Figures of the given size in a row centred on the point, an arrow from each to the next.
    void sequence(QPainter& p, const QPointF& centre, qreal size,
                  std::initializer_list<Figure> figures) const;
    // The mouse with the button that does the page's action lit; drag adds arrows either side.
    void mouse(QPainter& p, const QPointF& centre, Button button, bool drag) const;
    // A picture of the skin's atlas scaled into the box; false (nothing drawn) when the skin
    // has no such atlas.
    bool atlasPicture(QPainter& p, const QImage& atlas, const QRectF& box,
                      const AtlasRect& rect) const;

    QImage cubes_;
    QImage overlay_;
};

} // namespace kubrix
