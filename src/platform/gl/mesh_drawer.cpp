// Draws the surface mesh, front to back from buffers or strip by strip, for the frame and for
// picking.
#include "platform/gl/mesh_drawer.h"

#include "core/game/game.h"
#include "core/scene/board_scene.h"
#include "core/scene/hint_highlight.h"
#include "core/scene/surface_mesh.h"
#include "platform/gl/render_context.h"
#include "platform/gl/texture_set.h"

#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <utility>

namespace kubrix {

namespace {

constexpr float kHoverAlphaLost = 0.6F;

// Bright tints turn the hovered cube magenta-white (blueish tint) or cyan-white, dark ones
// dark olive.
Colour hoverColour(const Colour& tint, bool lost)
{
    const bool bright = tint.r + tint.g + tint.b >= 1.5F;
    const bool blueish = tint.b > tint.r;
    return {bright && blueish ? 1.0F : 0.4F, bright && !blueish ? 1.0F : 0.4F, bright ? 1.0F : 0.0F,
            lost ? kHoverAlphaLost : tint.a};
}

constexpr Colour kWhite{1.0F, 1.0F, 1.0F, 1.0F};

// The colour of each cube's strips: the hovered cube's (red for a bomb while the bomb hint is
// on), the hinted cube's, all others white. Equal colours are the same object, so a run of
// strips of one colour is told by address.
struct CubeColours {
    int hoverIndex = -1;
    Colour hover;
    int hintIndex = -1;
    Colour hint;

    // Any cube below 0 is plain.
    const Colour& of(int cube) const
    {
        if (cube < 0)
            return kWhite;
        if (cube == hoverIndex)
            return hover;
        return cube == hintIndex ? hint : kWhite;
    }
};

CubeColours coloursOf(const BoardScene& scene, const Game& game)
{
    const Board& board = game.board();
    const int hoverIndex = scene.mesh().hoverIndex();
    const HintHighlight hint(game.litHint());
    CubeColours colours{hoverIndex, hoverColour(scene.mesh().tint(), game.ended() && game.lost()),
                        hint.cube(), hint.cubeColour()};
    if (game.bombHint().on() && hoverIndex >= 0 && hoverIndex < board.cubeCount() &&
        board.cube(hoverIndex).bomb != 0)
        colours.hover = {1.0F, 0.0F, 0.0F, 1.0F};
    return colours;
}

// The projection and model-view OpenGL holds now.
std::pair<Matrix4d, Matrix4d> currentMatrices()
{
    std::pair<Matrix4d, Matrix4d> m{};
    glGetDoublev(GL_PROJECTION_MATRIX, m.first.data());
    glGetDoublev(GL_MODELVIEW_MATRIX, m.second.data());
    return m;
}

void setColour(const Colour& colour)
{
    glColor4f(colour.r, colour.g, colour.b, colour.a);
}

} // namespace

MeshDrawer::MeshDrawer(RenderContext& context, TextureSet& textures)
    : context_(context), textures_(textures), buffers_(context)
{
}

void MeshDrawer::draw(const BoardScene& scene, const Game& game, const Quaternion& viewRotation)
{
    glDisable(GL_BLEND);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    textures_.useTexture(TextureSet::kCubeAtlas);
    // The ordered vertices carry their triangle's normal where flat shading reads it, and
    // the selection pass needs each strip under its own name.
    bool ordered =
        drawing_ == MeshDrawing::Ordered && context_.flatShading() && !context_.selecting();
    if (ordered) {
        const Board& board = game.board();
        orders_.update(scene.mesh(), board.width(), board.height(), board.depth());
        ordered = orders_.valid();
    }
    // What the last frame hid says nothing of this one.
    occlusion_.clear();
    if (ordered)
        drawOrdered(scene, game, viewRotation);
    else
        drawStrips(scene, game);
    textures_.disableTexturing();
}

void MeshDrawer::drawOrdered(const BoardScene& scene, const Game& game,
                             const Quaternion& viewRotation)
{
    const CubeColours colours = coloursOf(scene, game);
    const std::array<int, 2> apart{colours.hoverIndex, colours.hintIndex};
    if (orders_.deep())
        beginOcclusion();
    const std::span<const OctantOrders::Run> runs =
        orders_.runs(OctantOrders::octantFacing(viewRotation), apart, occlusion_);

    // Bound buffers take offsets where client memory takes addresses.
    const bool onServer = buffers_.bind(orders_);
    glInterleavedArrays(GL_T2F_N3F_V3F, 0, onServer ? nullptr : orders_.vertices().data());
    const auto indicesFrom = [&](int first) -> const void* {
        if (onServer)
            return reinterpret_cast<const void*>(static_cast<std::uintptr_t>(first) *
                                                 sizeof(std::uint32_t));
        return orders_.indices().data() + first;
    };
    // The depth test keeps the image the same in any order; colours change only between runs.
    const Colour* current = nullptr;
    for (const OctantOrders::Run& run : runs) {
        const Colour& colour = colours.of(run.cubeIndex);
        if (&colour != current) {
            setColour(colour);
            current = &colour;
        }
        glDrawElements(GL_TRIANGLES, run.count, GL_UNSIGNED_INT, indicesFrom(run.first));
    }
    unbindArrays();
    if (onServer)
        buffers_.unbind();
}

void MeshDrawer::beginOcclusion()
{
    const auto [projection, modelView] = currentMatrices();
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    // A bevelled face swells out of its cube by the bevel.
    occlusion_.begin(projection, modelView, viewport[2], viewport[3], SurfaceMesh::kBevel);
}

void MeshDrawer::drawStrips(const BoardScene& scene, const Game& game)
{
    const SurfaceMesh& mesh = scene.mesh();
    const CubeColours colours = coloursOf(scene, game);
    // Colour changes are issued only where the colour changes.
    const Colour* current = nullptr;
    for (const FaceStrip& strip : mesh.strips()) {
        const Colour& colour = colours.of(strip.cubeIndex);
        if (&colour != current) {
            setColour(colour);
            current = &colour;
        }
        if (context_.selecting())
            glLoadName(static_cast<GLuint>(strip.cubeIndex));
        drawStrip(mesh, strip);
    }
}

void MeshDrawer::drawForPicking(const BoardScene& scene, const Game& game)
{
    if (drawing_ == MeshDrawing::Strips) {
        draw(scene, game, {});
        return;
    }
    const SurfaceMesh& mesh = scene.mesh();
    arrays_.update(mesh);
    if (!arrays_.valid()) {
        draw(scene, game, {});
        return;
    }
    // The matrices the selection pass draws with, pick region included: a strip that cannot
    // reach the region can record no hit, so leaving it out changes nothing but the time.
    const auto [projection, modelView] = currentMatrices();
    const std::span<const std::int32_t> kept = culler_.cull(mesh, projection, modelView);
    const std::span<const FaceStrip> strips = mesh.strips();
    bindArrays();
    for (const std::int32_t s : kept) {
        glLoadName(static_cast<GLuint>(strips[static_cast<std::size_t>(s)].cubeIndex));
        const int first = arrays_.stripStart(s);
        glDrawArrays(GL_TRIANGLES, first, arrays_.stripStart(s + 1) - first);
    }
    unbindArrays();
}

void MeshDrawer::bindArrays() const
{
    glInterleavedArrays(GL_T2F_N3F_V3F, 0, arrays_.vertices().data());
}

void MeshDrawer::unbindArrays()
{
    // The labels and the overlay that follow draw one vertex at a time.
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void MeshDrawer::drawStrip(const SurfaceMesh& mesh, const FaceStrip& strip) const
{
    const auto emit = [&](int j) {
        const TexCoord& t = mesh.texCoord(strip, j);
        const Vec3& v = mesh.vertex(strip, j);
        glTexCoord2f(t.u, t.v);
        glVertex3f(v.x, v.y, v.z);
    };
    glBegin(GL_TRIANGLE_STRIP);
    if (context_.flatShading()) {
        // Flat shading lights each triangle with the normal current at its last vertex, so
        // the triangle's own normal goes just before that vertex.
        emit(0);
        emit(1);
        for (int j = 2; j < strip.count; ++j) {
            const Vec3& n = mesh.triangleNormal(strip, j - 2);
            glNormal3f(n.x, n.y, n.z);
            emit(j);
        }
    } else {
        for (int j = 0; j < strip.count; ++j) {
            const Vec3& n = mesh.vertexNormal(strip, j);
            glNormal3f(n.x, n.y, n.z);
            emit(j);
        }
    }
    glEnd();
}

} // namespace kubrix
