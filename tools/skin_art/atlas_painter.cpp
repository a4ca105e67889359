// Places separately painted pieces into an atlas and converts the result for the skin files.
#include "skin_art/atlas_painter.h"

#include <QPainter>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace kubrix {

AtlasPainter::AtlasPainter(int size)
    : size_(size), image_(size, size, QImage::Format_ARGB32_Premultiplied),
      owned_(static_cast<std::size_t>(size) * static_cast<std::size_t>(size), false)
{
    image_.fill(Qt::transparent);
}

QRect AtlasPainter::pixels(const AtlasRect& rect) const
{
    const PixelRect p = toPixels(rect, size_, size_);
    return {p.left, p.top, p.width(), p.height()};
}

void AtlasPainter::place(const QRect& target, const QImage& piece, int gutter)
{
    const QImage source =
        piece.convertToFormat(QImage::Format_ARGB32_Premultiplied)
            .scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QRect grown =
        target.adjusted(-gutter, -gutter, gutter, gutter).intersected(image_.rect());
    for (int y = grown.top(); y <= grown.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
        const int sy = std::clamp(y - target.top(), 0, source.height() - 1);
        const auto* sourceRow = reinterpret_cast<const QRgb*>(source.constScanLine(sy));
        for (int x = grown.left(); x <= grown.right(); ++x) {
            const std::size_t index =
                static_cast<std::size_t>(y) * static_cast<std::size_t>(size_) +
                static_cast<std::size_t>(x);
            const bool inside = target.contains(x, y);
            if (!inside && owned_[index])
                continue;
            const int sx = std::clamp(x - target.left(), 0, source.width() - 1);
            row[x] = sourceRow[sx];
            if (inside)
                owned_[index] = true;
        }
    }
}

QImage paintPiece(int width, int height, int supersample,
                  const std::function<void(QPainter&)>& paint)
{
    QImage big(width * supersample, height * supersample, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    {
        QPainter painter(&big);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(supersample, supersample);
        paint(painter);
    }
    if (supersample == 1)
        return big;
    return big.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

RgbaImage toRgbaImage(const QImage& image)
{
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
    RgbaImage out;
    out.width = rgba.width();
    out.height = rgba.height();
    const auto rowBytes = static_cast<std::size_t>(out.width) * 4;
    out.pixels.resize(rowBytes * static_cast<std::size_t>(out.height));
    for (int y = 0; y < out.height; ++y) {
        // The picture's top row is the last one the renderer reads.
        const int target = out.height - 1 - y;
        std::memcpy(out.pixels.data() + rowBytes * static_cast<std::size_t>(target),
                    rgba.constScanLine(y), rowBytes);
    }
    return out;
}

double latticeNoise(int x, int y, int seed)
{
    // A small integer hash: the standard distributions differ between library vendors.
    auto h = static_cast<std::uint32_t>(x) * 374761393U +
             static_cast<std::uint32_t>(y) * 668265263U +
             static_cast<std::uint32_t>(seed) * 2246822519U;
    h = (h ^ (h >> 13)) * 1274126177U;
    h ^= h >> 16;
    return static_cast<double>(h & 0xFFFFFFU) / static_cast<double>(0xFFFFFF);
}

} // namespace kubrix
