// The About box's artwork: the game's crate and bomb and the "Kubrix" lettering on black.
#pragma once

#include <QImage>

namespace kubrix {

// A width x height picture, opaque.
QImage paintAbout(int width, int height);

} // namespace kubrix
