// The overlay atlas of the built-in skin: banners, counters, faces and the background.
#pragma once

#include <QImage>

namespace kubrix {

// A size x size picture with every overlay picture at its rectangle; the rest is transparent.
QImage paintOverlayAtlas(int size);

// The end-of-game banner: won or lost, width x height pixels.
QImage paintBanner(bool won, int width, int height);

// The backdrop stretched over the whole window: a quiet vertical gradient, darker at the edges.
QImage paintBackground(int width, int height);

} // namespace kubrix
