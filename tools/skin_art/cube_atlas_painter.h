// The cube atlas of the built-in skin: crate faces, number labels and bomb sprites.
#pragma once

#include <QImage>

namespace kubrix {

// A size x size picture laid out on the cube atlas's 8 x 8 tile grid; tiles no picture uses
// stay transparent.
QImage paintCubeAtlas(int size);

// The label of number 1..26 on a transparent square: a bold outlined numeral whose colour tells
// the numbers apart at a glance.
QImage paintNumberLabel(int number, int size);

} // namespace kubrix
