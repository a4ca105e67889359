// Draws the block: the surface mesh with its hovered and hinted cubes tinted, the number labels
// (a hint's proving numbers brought forward) and, after a lost game, the bombs.
#pragma once

#include "core/scene/board_scene.h"
#include "core/scene/quaternion.h"
#include "platform/gl/mesh_drawer.h"

#include <utility>
#include <vector>

namespace kubrix {

class Board;
class Game;
class HintHighlight;
class RenderContext;
class TextureSet;

class BoardDrawer {
public:
    BoardDrawer(RenderContext& context, TextureSet& textures);

    // Expects the model-view to place board coordinates (the camera and the view rotation set
    // up). Brings the scene up to the game first. A picking pass draws only the mesh, so labels
    // and bombs never catch a click. The cursor cube (-1 for none) is outlined.
    void drawBoard(const Game& game, const Quaternion& viewRotation, bool picking,
                   int cursorIndex = -1);

    MeshDrawer& meshDrawer() { return mesh_; }
    BoardScene& scene() { return scene_; }

private:
    void drawCursor(const Board& board, int index);
    void drawLabels(const NumberLabels& labels, const Quaternion& viewRotation,
                    const HintHighlight& hint);
    // A label in drawing order: the lit ones and a hint's reasons last, so no dimmed label is
    // blended over them, and each group back to front.
    struct SortedLabel {
        bool lit;
        float depth;
        const LabelRecord* record;
    };
    void drawBombs(const BombMarkers& bombs, const Quaternion& viewRotation);

    RenderContext& context_;
    TextureSet& textures_;
    BoardScene scene_;
    MeshDrawer mesh_;
    // Depth-sorted views of the label and bomb lists, kept to avoid reallocating every frame.
    std::vector<SortedLabel> sortedLabels_;
    std::vector<std::pair<float, const BombRecord*>> sortedBombs_;
};

} // namespace kubrix
