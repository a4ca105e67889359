// Builds the surface mesh of the covered cubes, flat or bevelled, into pools reused between
// builds so that a rebuild after every move allocates nothing once the board size is settled.
#include "core/scene/surface_mesh.h"

#include "core/game/board.h"
#include "core/game/cube.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cstring>
#include <new>

namespace kubrix {

namespace {

constexpr float kEdge = 0.70710678F; // each component of the sum of two axes, made unit

// clang-format off
constexpr std::array<Vec3, 18> kNormals{{
    {1, 0, 0},          {-1, 0, 0},          {0, 1, 0},          {0, -1, 0},
    {0, 0, 1},          {0, 0, -1},          {kEdge, 0, kEdge},  {kEdge, 0, -kEdge},
    {kEdge, kEdge, 0},  {kEdge, -kEdge, 0},  {-kEdge, 0, kEdge}, {-kEdge, 0, -kEdge},
    {-kEdge, kEdge, 0}, {-kEdge, -kEdge, 0}, {0, kEdge, kEdge},  {0, kEdge, -kEdge},
    {0, -kEdge, kEdge}, {0, -kEdge, -kEdge}}};
// clang-format on

// One face of a cube: its direction, its corners c0..c3 as offsets from the cube's low corner
// (c0 pairs with the tile's top-left, c1 top-right, c2 bottom-right, c3 bottom-left, so that
// c0, c3, c1 turn counter-clockwise seen from outside), and the edge normals of the bevel
// segments c0-c1, c1-c2, c2-c3, c3-c0.
//
// How a tile reads on its face, which is what keeps a flag, a "?" or a cross legible: seen from
// outside, the tile's rightward edge c0-c1 crossed with its upward edge c3-c0 points along the
// face's outward normal on all six faces, so no tile is ever drawn mirrored. Where the tile's top
// lands differs from face to face; each direction has a tile of its own, and the art turns each
// one so that its picture stands upright (+y up) on the four sides and, on the top and bottom,
// towards the edge that rises as the block is tipped the short way to show that face. Custom
// skins rely on these corners, so a turn belongs in the art, never here. Number labels are
// billboards and do not use these corners.
struct FaceShape {
    int direction;
    std::array<std::array<int, 3>, 4> corners;
    std::array<std::uint8_t, 4> ringNormals;
};

// In the order faces are emitted for a cube.
constexpr std::array<FaceShape, 6> kFaces{{
    {SurfaceMesh::kMinusX, {{{0, 0, 0}, {0, 1, 0}, {0, 1, 1}, {0, 0, 1}}}, {11, 12, 10, 13}},
    {SurfaceMesh::kPlusX, {{{1, 0, 0}, {1, 0, 1}, {1, 1, 1}, {1, 1, 0}}}, {9, 6, 8, 7}},
    {SurfaceMesh::kMinusY, {{{0, 0, 0}, {0, 0, 1}, {1, 0, 1}, {1, 0, 0}}}, {13, 16, 9, 17}},
    {SurfaceMesh::kPlusY, {{{1, 1, 0}, {1, 1, 1}, {0, 1, 1}, {0, 1, 0}}}, {8, 14, 12, 15}},
    {SurfaceMesh::kMinusZ, {{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}}, {17, 7, 15, 11}},
    {SurfaceMesh::kPlusZ, {{{0, 1, 1}, {1, 1, 1}, {1, 0, 1}, {0, 0, 1}}}, {14, 6, 16, 10}},
}};

constexpr int kFlatStripVertices = 4;
constexpr int kFlatNormalSlots = 2 * kFlatStripVertices - 2;
constexpr int kRingVertices = 10;
constexpr int kRingNormalSlots = 2 * kRingVertices - 2;
constexpr int kFaceVertices = kRingVertices + kFlatStripVertices; // bevelled: ring + panel
constexpr int kFaceNormalSlots = kRingNormalSlots + kFlatNormalSlots;

// Tiles are trimmed a little so that linear filtering never pulls in the neighbouring tile;
// the bevelled rim and panel edges need a wider margin because their texels are stretched.
constexpr float kFlatInset = 0.000125F;
constexpr float kOuterInset = 0.001875F;
constexpr float kPanelInset = 0.011875F;

struct TileBox {
    float left;
    float right;
    float bottom;
    float top;
};

// Stamps of builds, unique across all meshes of the run: a new board may reuse the memory of an
// old one, and a cache keyed by a per-mesh count could then take the new strips for the old.
std::uint64_t nextGeneration()
{
    static std::atomic<std::uint64_t> builds{0};
    return ++builds;
}

TileBox tileBox(int tile, float inset)
{
    const auto column = static_cast<float>(tile % 8);
    const auto row = static_cast<float>(tile / 8);
    return {column / 8.0F + inset, (column + 1.0F) / 8.0F - inset,
            1.0F - (row + 1.0F) / 8.0F + inset, 1.0F - row / 8.0F - inset};
}

int gridNumber(int i, int j, int k, int width, int height)
{
    return i + (width + 1) * (j + (height + 1) * k);
}

// The bevelled vertex of a panel corner: the face corner pushed out along the face direction
// and in towards the face centre on the two other axes.
int panelSlot(const FaceShape& face, int corner)
{
    const int axis = face.direction / 2;
    int bits = 0;
    for (int a = 0; a < 3; ++a) {
        const int offset = face.corners[corner][a];
        const bool positive = a == axis ? offset == 1 : offset == 0;
        bits |= (positive ? 1 : 0) << a;
    }
    return 1 + bits;
}

} // namespace

void SurfaceMesh::setTint(Colour baseTint)
{
    tint_ = baseTint;
    if (tint_.r + tint_.g + tint_.b < 1.0F) {
        tint_.r = std::min(tint_.r + 0.5F, 1.0F);
        tint_.g = std::min(tint_.g + 0.5F, 1.0F);
        tint_.b = std::min(tint_.b + 0.5F, 1.0F);
    }
}

int SurfaceMesh::tileFor(const Cube& cube, int direction, bool gameEnded)
{
    int base = 18;
    if (gameEnded && cube.marked != 0 && cube.bomb == 0)
        base = direction < 3 ? 5 : 10;
    else if (cube.marked != 0)
        base = 58;
    else if (cube.suspect != 0)
        base = 26;
    return base + direction;
}

std::span<const Vec3> SurfaceMesh::normals() const
{
    return std::span<const Vec3>(kNormals).first(poolBevelled_ ? 18 : 6);
}

const Vec3& SurfaceMesh::vertexNormal(const FaceStrip& strip, int j) const
{
    return kNormals[static_cast<std::size_t>(normalIndex(strip, j))];
}

const Vec3& SurfaceMesh::triangleNormal(const FaceStrip& strip, int triangle) const
{
    return kNormals[static_cast<std::size_t>(normalIndex(strip, strip.count + triangle))];
}

void SurfaceMesh::build(const Board& board, bool gameEnded, const Peel& peel)
{
    generation_ = nextGeneration();
    try {
        markFaces(board, peel);
        layoutVertices(board.width(), board.height(), board.depth());
        allocate(faceCount_);
    } catch (const std::bad_alloc&) {
        clear();
        return;
    }
    if (poolBevelled_)
        emitBevelled(board, gameEnded);
    else
        emitFlat(board, gameEnded);
}

void SurfaceMesh::markFaces(const Board& board, const Peel& peel)
{
    const int width = board.width();
    const int height = board.height();
    const int depth = board.depth();
    const int layer = width * height;
    const int peelSide = peel.sideOf(width, height, depth);
    const Cube* cubes = board.cubes().data();
    faceMasks_.resize(board.cubes().size());
    faceCount_ = 0;

    // A cube stands in the block while it is covered and not peeled away.
    const auto solid = [&](int x, int y, int z, int index) {
        return cubes[index].covered != 0 && !peel.hides(x, y, z, peelSide);
    };
    // A face shows where the cube beside it does not stand, or lies off the board.
    const auto open = [&](bool atEdge, int x, int y, int z, int neighbour) {
        return atEdge || !solid(x, y, z, neighbour);
    };
    int index = 0;
    for (int z = 0; z < depth; ++z) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x, ++index) {
                unsigned mask = 0;
                if (solid(x, y, z, index)) {
                    mask = (open(x == 0, x - 1, y, z, index - 1) ? 1U : 0U) |
                           (open(x == width - 1, x + 1, y, z, index + 1) ? 2U : 0U) |
                           (open(y == 0, x, y - 1, z, index - width) ? 4U : 0U) |
                           (open(y == height - 1, x, y + 1, z, index + width) ? 8U : 0U) |
                           (open(z == 0, x, y, z - 1, index - layer) ? 16U : 0U) |
                           (open(z == depth - 1, x, y, z + 1, index + layer) ? 32U : 0U);
                }
                faceMasks_[static_cast<std::size_t>(index)] = static_cast<std::uint8_t>(mask);
                faceCount_ += std::popcount(mask);
            }
        }
    }
}

void SurfaceMesh::layoutVertices(int width, int height, int depth)
{
    if (width == poolWidth_ && height == poolHeight_ && depth == poolDepth_ &&
        bevelled_ == poolBevelled_ && !vertices_.empty())
        return;
    // Forget the old layout first: if the resize below throws, the next build must redo it.
    poolWidth_ = -1;
    const int points = (width + 1) * (height + 1) * (depth + 1);
    const int perPoint = bevelled_ ? 9 : 1;
    vertices_.resize(static_cast<std::size_t>(points * perPoint));

    Vec3* out = vertices_.data();
    for (int k = 0; k <= depth; ++k) {
        for (int j = 0; j <= height; ++j) {
            for (int i = 0; i <= width; ++i) {
                const Vec3 p{static_cast<float>(i), static_cast<float>(j), static_cast<float>(k)};
                *out++ = p;
                if (!bevelled_)
                    continue;
                for (int bits = 0; bits < 8; ++bits) {
                    *out++ = {p.x + ((bits & 1) != 0 ? kBevel : -kBevel),
                              p.y + ((bits & 2) != 0 ? kBevel : -kBevel),
                              p.z + ((bits & 4) != 0 ? kBevel : -kBevel)};
                }
            }
        }
    }
    poolBevelled_ = bevelled_;
    poolWidth_ = width;
    poolHeight_ = height;
    poolDepth_ = depth;
}

void SurfaceMesh::allocate(int faces)
{
    const auto count = static_cast<std::size_t>(faces);
    if (poolBevelled_) {
        strips_.resize(2 * count);
        vertexRefs_.resize(kFaceVertices * count);
        texCoords_.resize(kFaceVertices * count);
        normalRefs_.resize(kFaceNormalSlots * count);
        triangleCount_ = faces * (kRingVertices - 2 + kFlatStripVertices - 2);
    } else {
        strips_.resize(count);
        vertexRefs_.resize(kFlatStripVertices * count);
        texCoords_.resize(kFlatStripVertices * count);
        normalRefs_.resize(kFlatNormalSlots * count);
        triangleCount_ = faces * (kFlatStripVertices - 2);
    }
}

void SurfaceMesh::clear()
{
    strips_.clear();
    vertexRefs_.clear();
    texCoords_.clear();
    normalRefs_.clear();
    triangleCount_ = 0;
}

template <typename Emit>
void SurfaceMesh::forEachFace(const Board& board, int cornerStride, Emit emit) const
{
    int face = 0;
    for (int index = 0; index < static_cast<int>(faceMasks_.size()); ++index) {
        const unsigned mask = faceMasks_[static_cast<std::size_t>(index)];
        if (mask == 0)
            continue;
        const CubePosition at = board.positionOf(index);
        const int corner =
            cornerStride * gridNumber(at.x, at.y, at.z, board.width(), board.height());
        for (std::size_t f = 0; f < kFaces.size(); ++f)
            if ((mask & (1U << f)) != 0)
                emit(index, corner, f, face++);
    }
}

void SurfaceMesh::emitFlat(const Board& board, bool gameEnded)
{
    const int width = board.width();
    const int height = board.height();
    // The strip order c0, c3, c1, c2 as grid-number offsets from the cube's low corner.
    std::array<std::array<int, 4>, 6> cornerOffsets{};
    for (std::size_t f = 0; f < kFaces.size(); ++f) {
        const auto& corners = kFaces[f].corners;
        constexpr std::array<int, 4> kOrder{0, 3, 1, 2};
        for (std::size_t k = 0; k < 4; ++k) {
            const auto& c = corners[static_cast<std::size_t>(kOrder[k])];
            cornerOffsets[f][k] = gridNumber(c[0], c[1], c[2], width, height);
        }
    }

    const Cube* cubes = board.cubes().data();
    forEachFace(board, 1, [&](int index, int corner, std::size_t f, int face) {
        const int direction = kFaces[f].direction;
        const int first = face * kFlatStripVertices;
        const int normalFirst = face * kFlatNormalSlots;
        strips_[static_cast<std::size_t>(face)] = {first, kFlatStripVertices, normalFirst, index};
        std::int32_t* refs = vertexRefs_.data() + first;
        for (std::size_t k = 0; k < 4; ++k)
            refs[k] = corner + cornerOffsets[f][k];
        const TileBox box = tileBox(tileFor(cubes[index], direction, gameEnded), kFlatInset);
        TexCoord* uv = texCoords_.data() + first;
        uv[0] = {box.left, box.top};
        uv[1] = {box.left, box.bottom};
        uv[2] = {box.right, box.top};
        uv[3] = {box.right, box.bottom};
        std::memset(normalRefs_.data() + normalFirst, direction, kFlatNormalSlots);
    });
}

void SurfaceMesh::emitBevelled(const Board& board, bool gameEnded)
{
    const int width = board.width();
    const int height = board.height();
    // Per face: the ring c0 p0 c1 p1 c2 p2 c3 p3 c0 p0, then the panel p1 p0 p2 p3, as vertex
    // offsets from the outer vertex of the cube's low corner; and the normal slots of both.
    std::array<std::array<int, kFaceVertices>, 6> vertexOffsets{};
    std::array<std::array<std::uint8_t, kFaceNormalSlots>, 6> normalSlots{};
    for (std::size_t f = 0; f < kFaces.size(); ++f) {
        const FaceShape& shape = kFaces[f];
        std::array<int, 4> outer{};
        std::array<int, 4> panel{};
        for (std::size_t k = 0; k < 4; ++k) {
            const auto& c = shape.corners[k];
            outer[k] = 9 * gridNumber(c[0], c[1], c[2], width, height);
            panel[k] = outer[k] + panelSlot(shape, static_cast<int>(k));
        }
        auto& offsets = vertexOffsets[f];
        for (std::size_t k = 0; k < 5; ++k) {
            offsets[2 * k] = outer[k % 4];
            offsets[2 * k + 1] = panel[k % 4];
        }
        offsets[10] = panel[1];
        offsets[11] = panel[0];
        offsets[12] = panel[2];
        offsets[13] = panel[3];

        // Smooth lighting is never used for a frame, so every vertex slot simply carries the
        // face direction; each ring segment's two triangles take its edge normal.
        auto& slots = normalSlots[f];
        const auto direction = static_cast<std::uint8_t>(shape.direction);
        slots.fill(direction);
        for (std::size_t t = 0; t < kRingVertices - 2; ++t)
            slots[kRingVertices + t] = shape.ringNormals[t / 2];
    }

    const Cube* cubes = board.cubes().data();
    forEachFace(board, 9, [&](int index, int corner, std::size_t f, int face) {
        const int first = face * kFaceVertices;
        const int normalFirst = face * kFaceNormalSlots;
        FaceStrip* strip = strips_.data() + 2 * face;
        strip[0] = {first, kRingVertices, normalFirst, index};
        strip[1] = {first + kRingVertices, kFlatStripVertices, normalFirst + kRingNormalSlots,
                    index};

        std::int32_t* refs = vertexRefs_.data() + first;
        for (std::size_t k = 0; k < kFaceVertices; ++k)
            refs[k] = corner + vertexOffsets[f][k];

        const int tile = tileFor(cubes[index], kFaces[f].direction, gameEnded);
        const TileBox o = tileBox(tile, kOuterInset);
        const TileBox p = tileBox(tile, kPanelInset);
        TexCoord* uv = texCoords_.data() + first;
        uv[0] = {o.left, o.top};
        uv[1] = {p.left, p.top};
        uv[2] = {o.right, o.top};
        uv[3] = {p.right, p.top};
        uv[4] = {o.right, o.bottom};
        uv[5] = {p.right, p.bottom};
        uv[6] = {o.left, o.bottom};
        uv[7] = {p.left, p.bottom};
        uv[8] = uv[0];
        uv[9] = uv[1];
        uv[10] = uv[3];
        uv[11] = uv[1];
        uv[12] = uv[5];
        uv[13] = uv[7];

        std::memcpy(normalRefs_.data() + normalFirst, normalSlots[f].data(), kFaceNormalSlots);
    });
}

} // namespace kubrix
