// The pieces of the two liquid-crystal counters: digits, the separator and the framed ends.
#pragma once

#include <QImage>

namespace kubrix {

enum class CounterEnd { TimeOpen, TimeClose, BombInner, BombOuter };

// Every piece is height pixels tall and shares one bezel and one display window, so pieces laid
// side by side form a single framed counter.
QImage paintCounterDigit(int digit, int width, int height);
QImage paintCounterSeparator(int width, int height);
// The opening ends carry a rounded left edge, the closing ends a rounded right edge; the time
// counter opens with a clock and the bomb counter closes with a bomb.
QImage paintCounterEnd(CounterEnd end, int width, int height);

} // namespace kubrix
