// The wooden crate that every covered cube shows, plain or with the player's marks on it.
#pragma once

#include <QImage>

namespace kubrix {

enum class CrateMark { None, Suspect, Flag, WrongFlag };

// One face tile of a crate for face direction 0..5 (-X, +X, -Y, +Y, -Z, +Z). The picture is
// turned so that it stands upright when the block is seen from the front with +Y up, and each
// direction is lit a little differently so that the block's shape reads even in flat light.
QImage paintCrateTile(CrateMark mark, int direction, int size);

} // namespace kubrix
