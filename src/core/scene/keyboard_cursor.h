// The keyboard's cursor on the block: which cube it marks, where it starts and where the arrow
// keys take it as the player sees the block.
#pragma once

#include <optional>

namespace kubrix {

class ViewProjection;

enum class ScreenDirection { Left, Right, Up, Down };

// The cursor only ever lands on what the eye sees of the block: a covered cube or a number
// label, where it can chord. It stays on a cube the player exposes.
class KeyboardCursor {
public:
    // The cube shown, or none while hidden.
    std::optional<int> cube() const;
    bool shown() const { return shown_; }
    void hide() { shown_ = false; }
    // Shows the cursor on its cube, or, when it has none on this board, on the covered cube or
    // label seen nearest the middle of the view (none when nothing is seen).
    void show(const ViewProjection& view);
    // Moves to the covered cube or label seen next in that direction on the screen: the
    // nearest one ahead, sideways distance counting double. False when none lies that way.
    bool move(ScreenDirection direction, const ViewProjection& view);

private:
    // Visible covered cubes and labels scored by the function; the best, or none.
    template <typename Score>
    static std::optional<int> best(const ViewProjection& view, Score score);

    int index_ = -1;
    bool shown_ = false;
};

} // namespace kubrix
