// Draws the block: the surface mesh with its hovered cube tinted, the number labels and, after a
// lost game, the bombs.
#pragma once

#include "render/quaternion.h"

#include <utility>
#include <vector>

namespace kubrix {

class BombMarkers;
class Game;
class NumberLabels;
class RenderContext;
class SurfaceMesh;
class TextureSet;
struct BombRecord;
struct FaceStrip;
struct LabelRecord;

class BoardDrawer {
public:
    BoardDrawer(RenderContext& context, TextureSet& textures);

    // Expects the model-view to place board coordinates (the camera and the view rotation set
    // up). A picking pass draws only the mesh, so labels and bombs never catch a click.
    void drawBoard(const Game& game, const Quaternion& viewRotation, bool picking);

private:
    void drawMesh(const Game& game);
    void drawStrip(const SurfaceMesh& mesh, const FaceStrip& strip) const;
    void drawLabels(const NumberLabels& labels, const Quaternion& viewRotation);
    void drawBombs(const BombMarkers& bombs, const Quaternion& viewRotation);

    RenderContext& context_;
    TextureSet& textures_;
    // Depth-sorted views of the label and bomb lists, kept to avoid reallocating every frame.
    std::vector<std::pair<float, const LabelRecord*>> sortedLabels_;
    std::vector<std::pair<float, const BombRecord*>> sortedBombs_;
};

} // namespace kubrix
