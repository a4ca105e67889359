// The block of Width x Height x Depth cubes: indexing, bomb placement, neighbour counts and
// the three drawable views derived from the cube array.
#pragma once

#include "core/base/clock.h"
#include "core/base/colour.h"
#include "core/game/cube.h"
#include "core/game/rand15.h"
#include "core/scene/bomb_markers.h"
#include "core/scene/number_labels.h"
#include "core/scene/surface_mesh.h"

#include <span>
#include <vector>

namespace kubrix {

// What the derived views need to know of the game being played and of the renderer.
class BoardContext {
public:
    virtual ~BoardContext() = default;
    virtual bool gameEnded() const = 0;
    virtual bool gameLost() const = 0;
    virtual Colour tint() const = 0;
    virtual void invalidateTextures() = 0;
};

struct CubePosition {
    int x = 0;
    int y = 0;
    int z = 0;
};

class Board {
public:
    static constexpr int kMaxSide = 20;
    static constexpr int kMaxCubes = kMaxSide * kMaxSide * kMaxSide;

    // The surface mesh takes its tint once, here.
    Board(const Clock& clock, BoardContext& context);

    // Places bombCount bombs by rejection, never on excludedIndex (-1 for none), and never
    // more bombs than there are cubes that may hold one.
    void generate(int width, int height, int depth, int bombCount, int excludedIndex);
    void regenerateExcluding(int bombCount, int excludedIndex);
    // Copies width x height x depth records as they are (no counting). Refuses, changing
    // nothing, a size outside 1..kMaxSide or fewer records than the size needs.
    bool restore(int width, int height, int depth, std::span<const Cube> records);
    // Rebuilds the views after the cube flags changed; true when only bombs remain covered.
    bool refresh();
    void setHover(int index);
    void setBevelled(bool bevelled);

    // Every side in 1..kMaxSide.
    static bool fits(int width, int height, int depth);
    // What restore accepts: a size that fits and at least as many records as it needs.
    static bool canRestore(int width, int height, int depth, std::size_t recordCount);

    int width() const { return width_; }
    int height() const { return height_; }
    int depth() const { return depth_; }
    int cubeCount() const { return width_ * height_ * depth_; }
    // ceil(sqrt(w² + h² + d²)): the camera places the block by it.
    int sceneRadius() const;

    bool contains(int x, int y, int z) const;
    int indexOf(int x, int y, int z) const { return (z * height_ + y) * width_ + x; }
    CubePosition positionOf(int index) const;

    const std::vector<Cube>& cubes() const { return cubes_; }
    Cube& cube(int index) { return cubes_[static_cast<std::size_t>(index)]; }
    const Cube& cube(int index) const { return cubes_[static_cast<std::size_t>(index)]; }

    const SurfaceMesh& mesh() const { return mesh_; }
    const NumberLabels& labels() const { return labels_; }
    const BombMarkers& bombs() const { return bombs_; }

private:
    void placeBombs(int bombCount, int excludedIndex);
    void countNeighbours();
    // Generation and restore build the mesh, then the labels, then the bombs.
    void buildViews();

    const Clock& clock_;
    BoardContext& context_;
    Rand15 random_;
    std::vector<Cube> cubes_;
    int width_ = 0;
    int height_ = 0;
    int depth_ = 0;
    SurfaceMesh mesh_;
    NumberLabels labels_;
    BombMarkers bombs_;
};

} // namespace kubrix
