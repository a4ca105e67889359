// Tells, on the processor, which cubes nearer covered cubes already hide, so that a frame does
// not rasterise them only for the depth test to throw every fragment away.
#pragma once

#include "core/scene/pick_culler.h"

#include <vector>

namespace kubrix {

// The screen is divided into square cells of kCell pixels. A cell holds the farthest depth
// (normalised device z) of some cube drawn so far whose outline covers the whole cell, or
// +infinity. A cube whose every pixel falls in cells holding a depth nearer than its own
// nearest point is hidden there by the surface of the covered cubes: every ray into a covered
// cube crosses that surface first, and no nearer than the cube's farthest corner. The answer
// is conservative: margins of a pixel and more absorb the rounding of the rasteriser, so
// leaving a hidden cube out never changes a pixel of the frame or its depth buffer. A cell
// counts as covered only inside the outline of one cube, so a cube seen across the seams of
// the cubes in front stays; the cubes further back, small on the screen, are the ones left out.
class OcclusionCuller {
public:
    static constexpr int kCell = 4;

    // projection and modelView as OpenGL holds them for the frame, the viewport's size in
    // pixels, and how far (in cube units) a cube's drawing may reach outside its unit box.
    void begin(const Matrix4d& projection, const Matrix4d& modelView, int width, int height,
               double reach);
    // Whether the cube at board position (x, y, z) could show any pixel in front of the cubes
    // admitted before it; when it could, it becomes one of those cubes. Asked nearest first,
    // more cubes turn out hidden. Before begin() every cube is admitted.
    bool admit(int x, int y, int z);
    // Whether the cubes admitted so far hide every pixel of a sprite of the given half size
    // centred at board position (x, y, z), turned any way.
    bool hides(float x, float y, float z, float half) const;
    // Forgets the screen: until the next begin() nothing is hidden.
    void clear() { cells_.clear(); }
    bool active() const { return !cells_.empty(); }

private:
    struct Point {
        double x;
        double y;
        double depth;
    };
    // The screen rectangle and depth range of eight projected corners.
    struct Bounds {
        double left;
        double right;
        double bottom;
        double top;
        double nearest;
        double farthest;
    };
    static Bounds boundsOf(const Point* corners);
    // The eight corners of the box [x - grow, x + size + grow]^3 on the screen; false when one
    // lies at or behind the eye, where the projection says nothing reliable.
    bool project(double x, double y, double z, double size, double grow, Point* corners) const;
    bool hidden(const Point* corners) const;
    void cover(const Point* corners);

    Matrix4d matrix_{};
    int width_ = 0;
    int height_ = 0;
    int columns_ = 0;
    int rows_ = 0;
    double reach_ = 0.0;
    std::vector<float> cells_;
};

} // namespace kubrix
