// The keyboard's cursor on the block: which cube it marks, where it starts and where the arrow
// keys take it as the player sees the block.
#pragma once

#include <optional>

namespace kubrix {

class ViewProjection;

enum class ScreenDirection { Left, Right, Up, Down };

// The arrows only ever land on a covered cube the eye sees (see ViewProjection::showsCovered).
// The cursor stays on a cube the player exposes, so that it can chord there, until it moves.
//
// The cubes it can land on are laid out as the screen shows them: in rows a cube's height
// apart at most, top to bottom, each row ordered left to right. Left and Right step to the
// neighbour in the row, Up and Down to the row above or below, to the cube there nearest
// across. Every row is next to another and every cube next to another in its row, so every
// cube the eye sees is reachable from any other: none can hide behind a neighbour on screen.
// From a cube it cannot land on (one just exposed) the cursor moves from where that cube
// shows, along the row nearest it or to the nearest row wholly above or below.
class KeyboardCursor {
public:
    // The cube shown, or none while hidden.
    std::optional<int> cube() const;
    bool shown() const { return shown_; }
    void hide() { shown_ = false; }
    // Shows the cursor on its cube, or, when it has none on this board, on the covered cube
    // seen nearest the middle of the view (none when nothing is seen). A covered cube the eye
    // no longer sees, or any peeled one, gives way to the cube seen nearest to where it shows.
    void show(const ViewProjection& view);
    // Moves to the next cube that way in the layout above. False when none lies that way.
    bool move(ScreenDirection direction, const ViewProjection& view);

private:
    int index_ = -1;
    bool shown_ = false;
};

} // namespace kubrix
