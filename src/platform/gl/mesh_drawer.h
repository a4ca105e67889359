// Draws the surface mesh of the covered cubes: for the visible frame with the hovered and the
// hinted cube tinted, and for the selection pass with every strip named by its cube.
#pragma once

#include "core/scene/occlusion_culler.h"
#include "core/scene/octant_orders.h"
#include "core/scene/pick_culler.h"
#include "core/scene/triangle_arrays.h"
#include "platform/gl/mesh_buffers.h"

namespace kubrix {

class BoardScene;
class Game;
class RenderContext;
class SurfaceMesh;
class TextureSet;
struct FaceStrip;

// How the mesh reaches OpenGL. Both draw the same image and pick the same cubes; the strips are
// the plain way, kept to check the fast one against.
enum class MeshDrawing {
    // A frame draws the mesh from a vertex buffer filled once per mesh build, the cubes
    // nearest the viewer first, in a few calls, leaving out the cubes those before them hide.
    // Picking draws the strips unrolled into
    // client arrays, after dropping on the processor every strip that cannot reach the pick
    // point.
    Ordered,
    // Every strip on its own, a call per vertex; picking draws them all.
    Strips,
};

class MeshDrawer {
public:
    MeshDrawer(RenderContext& context, TextureSet& textures);

    void setDrawing(MeshDrawing drawing) { drawing_ = drawing; }
    MeshDrawing drawing() const { return drawing_; }
    // What the mesh of the last draw() hides, for what is drawn after it in the same frame.
    const OcclusionCuller& occlusion() const { return occlusion_; }

    // Expects the model-view to place board coordinates, turned by viewRotation. Strips of the
    // hovered cube take the hover colour (red for a bomb while the bomb hint is on), those of a
    // lit hint's cube its colour, all others white.
    void draw(const BoardScene& scene, const Game& game, const Quaternion& viewRotation);
    // The selection pass: each strip drawn under its cube index as the name, in strip order.
    // Expects the context selecting, the pick projection and the model-view in place.
    void drawForPicking(const BoardScene& scene, const Game& game);

private:
    void drawOrdered(const BoardScene& scene, const Game& game, const Quaternion& viewRotation);
    void drawStrips(const BoardScene& scene, const Game& game);
    // Prepares the culler for the matrices and viewport in place.
    void beginOcclusion();
    void drawStrip(const SurfaceMesh& mesh, const FaceStrip& strip) const;
    void bindArrays() const;
    static void unbindArrays();

    RenderContext& context_;
    TextureSet& textures_;
    MeshDrawing drawing_ = MeshDrawing::Ordered;
    OctantOrders orders_;
    OcclusionCuller occlusion_;
    MeshBuffers buffers_;
    TriangleArrays arrays_;
    PickCuller culler_;
};

} // namespace kubrix
