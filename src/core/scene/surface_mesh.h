// The drawable outer skin of the covered cubes: textured triangle strips, each named by the
// index of its cube, rebuilt whenever the cube flags change.
#pragma once

#include "core/base/colour.h"
#include "core/scene/peel.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kubrix {

class Board;
struct Cube;

struct Vec3 {
    float x = 0.0F;
    float y = 0.0F;
    float z = 0.0F;
};

struct TexCoord {
    float u = 0.0F;
    float v = 0.0F;
};

// One triangle strip of `count` vertices (4 for a flat face or a panel, 10 for a bevel ring).
// Vertex references and texture coordinates of strip vertex j are entry first + j of the mesh's
// two strip-vertex pools. The 2 * count - 2 normal references start at normalFirst: first one
// per vertex (smooth lighting), then one per triangle, triangle t being strip vertices t, t + 1
// and t + 2 (flat lighting takes the normal of the triangle's last vertex, so that is where a
// strip drawer issues it).
struct FaceStrip {
    std::int32_t first = 0;
    std::int32_t count = 0;
    std::int32_t normalFirst = 0;
    std::int32_t cubeIndex = -1;
};

class SurfaceMesh {
public:
    // Face directions, which are also the indices of the axis normals.
    static constexpr int kPlusX = 0;
    static constexpr int kMinusX = 1;
    static constexpr int kPlusY = 2;
    static constexpr int kMinusY = 3;
    static constexpr int kPlusZ = 4;
    static constexpr int kMinusZ = 5;
    // How far a bevelled panel stands out of its cube, and how far its rim is drawn in.
    static constexpr float kBevel = 0.08F;

    explicit SurfaceMesh(Colour baseTint = {}) { setTint(baseTint); }

    // Rebuilds every strip from the cube flags. Peeled cubes count as exposed: they have no
    // faces, and the covered cubes behind them show theirs. Should memory run out, the mesh is
    // left empty rather than half-built.
    void build(const Board& board, bool gameEnded, const Peel& peel = {});
    // A dark tint is lifted so that the hover colour derived from it stays visible.
    void setTint(Colour baseTint);
    // Takes effect at the next build.
    void setBevelled(bool bevelled) { bevelled_ = bevelled; }
    bool bevelled() const { return bevelled_; }
    void setHover(int index) { hoverIndex_ = index; }
    int hoverIndex() const { return hoverIndex_; }
    const Colour& tint() const { return tint_; }

    // The cube atlas is an 8 x 8 grid; tile t lies in column t % 8 and row t / 8, row 0 at the
    // top of the image. A face of direction d shows tile base + d, where base is
    //   5 (d < 3) or 10 (d >= 3)  a wrong mark once the game has ended: marked, but no bomb;
    //   58                        marked (a mark outweighs a suspicion);
    //   26                        suspect;
    //   18                        plain.
    static int tileFor(const Cube& cube, int direction, bool gameEnded);

    std::span<const FaceStrip> strips() const { return strips_; }
    int stripCount() const { return static_cast<int>(strips_.size()); }
    // Flat: one point per grid point (i, j, k), numbered i + (W+1) * (j + (H+1) * k).
    // Bevelled: nine per grid point, at 9 * number: the point itself, then the point moved by
    // kBevel * (sx, sy, sz) at 9 * number + 1 + bits, where bit 0, 1, 2 set means sx, sy, sz = +1.
    std::span<const Vec3> vertices() const { return vertices_; }
    int vertexCount() const { return static_cast<int>(vertices_.size()); }
    // The six axis directions, then in the bevelled mesh the twelve edge directions
    // 6 +X+Z, 7 +X-Z, 8 +X+Y, 9 +X-Y, 10 -X+Z, 11 -X-Z, 12 -X+Y, 13 -X-Y, 14 +Y+Z, 15 +Y-Z,
    // 16 -Y+Z, 17 -Y-Z.
    std::span<const Vec3> normals() const;
    // Triangles of all strips together, for sizing the arrays of a triangle-list drawer.
    int triangleCount() const { return triangleCount_; }
    // Changes with every build and is never the same for two builds in one run, even of two
    // different meshes, so a drawer can key a cache of the strips by it alone.
    std::uint64_t generation() const { return generation_; }

    int vertexIndex(const FaceStrip& strip, int j) const
    {
        return vertexRefs_[static_cast<std::size_t>(strip.first + j)];
    }
    const Vec3& vertex(const FaceStrip& strip, int j) const
    {
        return vertices_[static_cast<std::size_t>(vertexIndex(strip, j))];
    }
    const TexCoord& texCoord(const FaceStrip& strip, int j) const
    {
        return texCoords_[static_cast<std::size_t>(strip.first + j)];
    }
    // slot 0 .. count - 1 per vertex, count .. 2 * count - 3 per triangle.
    int normalIndex(const FaceStrip& strip, int slot) const
    {
        return normalRefs_[static_cast<std::size_t>(strip.normalFirst + slot)];
    }
    const Vec3& vertexNormal(const FaceStrip& strip, int j) const;
    const Vec3& triangleNormal(const FaceStrip& strip, int triangle) const;

private:
    void layoutVertices(int width, int height, int depth);
    void markFaces(const Board& board, const Peel& peel);
    void allocate(int faces);
    // Calls emit(cube index, grid number of its low corner × cornerStride, emission-order face,
    // running face count) for every face that shows, in cube index and emission order.
    template <typename Emit>
    void forEachFace(const Board& board, int cornerStride, Emit emit) const;
    void emitFlat(const Board& board, bool gameEnded);
    void emitBevelled(const Board& board, bool gameEnded);
    void clear();

    Colour tint_;
    int hoverIndex_ = -1;
    bool bevelled_ = false;

    // The vertex pool depends only on the board size and the variant, so it is kept until
    // one of them changes.
    bool poolBevelled_ = false;
    int poolWidth_ = -1;
    int poolHeight_ = -1;
    int poolDepth_ = -1;
    std::vector<Vec3> vertices_;

    std::vector<FaceStrip> strips_;
    std::vector<std::int32_t> vertexRefs_;
    std::vector<TexCoord> texCoords_;
    std::vector<std::uint8_t> normalRefs_;
    int triangleCount_ = 0;
    std::uint64_t generation_ = 0;

    // Per cube, bit f set when face f of the emission order (-X, +X, -Y, +Y, -Z, +Z) shows.
    std::vector<std::uint8_t> faceMasks_;
    int faceCount_ = 0;
};

} // namespace kubrix
