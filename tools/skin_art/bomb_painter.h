// The bomb pictures shown through the block after a lost game.
#pragma once

#include <QImage>

namespace kubrix {

// Sprite 0: a bomb; 1: a bomb the player had marked; 2: the bomb that went off. Square, size
// pixels wide, on a transparent background.
QImage paintBombSprite(int sprite, int size);

} // namespace kubrix
