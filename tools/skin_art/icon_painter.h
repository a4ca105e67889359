// The program's icon: a wooden crate cube seen from above and to the side, with a bomb before it.
#pragma once

#include <QImage>

namespace kubrix {

// A size x size picture on a transparent background.
QImage paintIcon(int size);

} // namespace kubrix
