// Which cubes a lit hint brings forward.
#include "core/scene/hint_highlight.h"

#include <algorithm>

namespace kubrix {

bool HintHighlight::isReason(int cube) const
{
    return hint_ && std::binary_search(hint_->reasons.begin(), hint_->reasons.end(), cube);
}

} // namespace kubrix
