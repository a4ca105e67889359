// The face button's six moods as round yellow faces.
#pragma once

#include <QImage>

namespace kubrix {

// Face state 18 idle, 19 a click in progress, 20 won, 21 blink, 22 won with a fastest time,
// 23 lost; size x size pixels on a transparent background.
QImage paintFace(int state, int size);

} // namespace kubrix
