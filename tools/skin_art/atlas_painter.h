// An atlas picture under construction: pieces painted on their own and placed at their rectangles.
#pragma once

#include "core/formats/rgba_image.h"
#include "core/scene/atlas.h"

#include <QImage>
#include <QRect>

#include <functional>
#include <vector>

class QPainter;

namespace kubrix {

class AtlasPainter {
public:
    explicit AtlasPainter(int size);

    int size() const { return size_; }
    QRect pixels(const AtlasRect& rect) const;

    // Copies the piece into target. With a gutter, the piece's edge pixels are also repeated
    // outwards into pixels no piece owns, so that linear filtering at the edge of the picture
    // samples the picture's own colours instead of its empty surroundings.
    void place(const QRect& target, const QImage& piece, int gutter = 0);

    const QImage& image() const { return image_; }

private:
    int size_;
    QImage image_;
    std::vector<bool> owned_;
};

// Paints a piece of the given pixel size in a design space of the same size, drawn at
// supersample times the resolution and scaled down, which keeps thin lines and grain smooth.
QImage paintPiece(int width, int height, int supersample,
                  const std::function<void(QPainter&)>& paint);

// The picture as the renderer stores it: RGBA without premultiplication, bottom row first.
RgbaImage toRgbaImage(const QImage& image);

// A deterministic value in 0..1 for a lattice point, the same on every machine.
double latticeNoise(int x, int y, int seed);

} // namespace kubrix
