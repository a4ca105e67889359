// Where points of the block land in the view and which cubes the eye sees, worked out on the
// processor with the frame's own camera, for the keyboard cursor and for picking labels.
#pragma once

#include "core/scene/camera.h"
#include "core/scene/peel.h"
#include "core/scene/quaternion.h"
#include "core/scene/surface_mesh.h"

#include <optional>

namespace kubrix {

class Board;

// Client pixels, y growing downwards; depth is the distance in front of the eye.
struct ScreenPoint {
    float x = 0.0F;
    float y = 0.0F;
    float depth = 0.0F;
};

class ViewProjection {
public:
    // The board must outlive the projection; the client size, the zoom's distance factor and
    // the peeled layers are the frame's.
    ViewProjection(const Board& board, const Quaternion& viewRotation, int clientWidth,
                   int clientHeight, float distance = 1.0F, const Peel& peel = {});

    // None for a point at or behind the eye.
    std::optional<ScreenPoint> project(const Vec3& boardPoint) const;
    std::optional<ScreenPoint> projectCube(int index) const;
    // How many pixels one board unit spans at that depth.
    float pixelsPerUnit(float depth) const;
    // The cube is peeled away: neither drawn nor picked.
    bool peeled(int index) const;
    // A straight line from the cube's centre to the eye crosses no other covered cube that is
    // drawn. The cube's own state does not matter, so it also tells whether an exposed cube's
    // label shows.
    bool sees(int index) const;
    // A covered cube the player sees and can act on.
    bool showsCovered(int index) const;

    const Board& board() const { return board_; }
    int clientWidth() const { return width_; }
    int clientHeight() const { return height_; }

private:
    const Board& board_;
    Matrix4 rotation_;
    CameraSetup camera_;
    Vec3 eye_;
    Peel peel_;
    int width_;
    int height_;
};

} // namespace kubrix
