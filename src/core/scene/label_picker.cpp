// Picking a number label by its projected square.
#include "core/scene/label_picker.h"

#include "core/scene/number_labels.h"
#include "core/scene/view_projection.h"

#include <cmath>

namespace kubrix {

std::optional<int> labelAt(const NumberLabels& labels, const ViewProjection& view, float x, float y)
{
    std::optional<int> found;
    float nearest = 0.0F;
    for (const LabelRecord& record : labels.records()) {
        const std::optional<ScreenPoint> at = view.projectCube(record.cubeIndex);
        if (!at || (found && at->depth >= nearest))
            continue;
        const float half = NumberLabels::kHalfSize * view.pixelsPerUnit(at->depth);
        if (std::fabs(x - at->x) > half || std::fabs(y - at->y) > half ||
            !view.sees(record.cubeIndex))
            continue;
        found = record.cubeIndex;
        nearest = at->depth;
    }
    return found;
}

} // namespace kubrix
