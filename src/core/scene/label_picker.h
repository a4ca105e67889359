// Which number label lies under a point of the view. Labels are squares turned to face the
// viewer and never take part in the selection pass, so they are found by where they project.
#pragma once

#include <optional>

namespace kubrix {

class NumberLabels;
class ViewProjection;

// The cube index of the front-most label the eye sees whose square covers (x, y) in client
// pixels, or none.
std::optional<int> labelAt(const NumberLabels& labels, const ViewProjection& view, float x,
                           float y);

} // namespace kubrix
