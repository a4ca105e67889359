// Draws the block of cubes in board coordinates: opaque mesh first, then the translucent labels
// and bomb sprites back to front, each sprite turned to face the viewer.
#include "platform/gl/board_drawer.h"

#include "core/game/game.h"
#include "core/scene/atlas.h"
#include "core/scene/hint_highlight.h"
#include "platform/gl/render_context.h"
#include "platform/gl/texture_set.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <utility>

namespace kubrix {

namespace {

constexpr float kBombHalfSize = 0.5F;
constexpr float kCursorMargin = 0.04F;
constexpr float kCursorLineWidth = 3.0F;
// Sky blue: far from the hover tints, from the hint's green and orange and from its gold glow.
constexpr float kCursorColour[3] = {0.25F, 0.65F, 1.0F};

Vec3 rotated(const Matrix4& m, const Vec3& v)
{
    return {m[0] * v.x + m[4] * v.y + m[8] * v.z, m[1] * v.x + m[5] * v.y + m[9] * v.z,
            m[2] * v.x + m[6] * v.y + m[10] * v.z};
}

// A square facing the viewer once the view rotation is applied: its corners (bottom-left,
// top-left, top-right, bottom-right before the turn) and normal, turned back by the inverse.
struct Billboard {
    std::array<Vec3, 4> corners;
    Vec3 normal;
};

Billboard billboardFacing(const Quaternion& viewRotation, float half)
{
    const Matrix4 back = toMatrix(inverse(viewRotation));
    return {{rotated(back, {-half, -half, 0.0F}), rotated(back, {-half, half, 0.0F}),
             rotated(back, {half, half, 0.0F}), rotated(back, {half, -half, 0.0F})},
            rotated(back, {0.0F, 0.0F, 1.0F})};
}

// Eye-space depth of a cube relative to the block's centre; larger is nearer the viewer.
struct DepthProbe {
    Matrix4 view;
    float halfWidth;
    float halfHeight;
    float halfDepth;

    float depthOf(int x, int y, int z) const
    {
        return rotated(view, {static_cast<float>(x) - halfWidth, static_cast<float>(y) - halfHeight,
                              static_cast<float>(z) - halfDepth})
            .z;
    }
    // 0 at the far side of the block, 1 at the near side.
    float nearness(float depth) const
    {
        return halfDepth == -halfDepth ? 1.0F : (depth + halfDepth) / (2.0F * halfDepth);
    }
};

DepthProbe probeFor(const Quaternion& viewRotation, float width, float height, float depth)
{
    return {toMatrix(viewRotation), width / 2.0F, height / 2.0F, depth / 2.0F};
}

void drawSprite(int x, int y, int z, const Billboard& board, const AtlasRect& rect)
{
    const Vec3 centre{static_cast<float>(x) + 0.5F, static_cast<float>(y) + 0.5F,
                      static_cast<float>(z) + 0.5F};
    const auto corner = [&](int i, float u, float v) {
        const Vec3& offset = board.corners[static_cast<std::size_t>(i)];
        glTexCoord2f(u, v);
        glVertex3f(centre.x + offset.x, centre.y + offset.y, centre.z + offset.z);
    };
    glBegin(GL_TRIANGLE_STRIP);
    glNormal3f(board.normal.x, board.normal.y, board.normal.z);
    corner(0, rect.uLeft, rect.vBottom);
    corner(3, rect.uRight, rect.vBottom);
    corner(1, rect.uLeft, rect.vTop);
    corner(2, rect.uRight, rect.vTop);
    glEnd();
}

void blendOver()
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

} // namespace

BoardDrawer::BoardDrawer(RenderContext& context, TextureSet& textures)
    : context_(context), textures_(textures), mesh_(context, textures)
{
}

void BoardDrawer::drawBoard(const Game& game, const Quaternion& viewRotation, bool picking,
                            int cursorIndex)
{
    if (!context_.ready())
        return;
    scene_.update(game);
    if (picking) {
        mesh_.drawForPicking(scene_, game);
        return;
    }
    mesh_.draw(scene_, game, viewRotation);
    drawCursor(game.board(), cursorIndex);
    drawLabels(scene_.labels(), viewRotation, HintHighlight(game.litHint()));
    if (game.ended() && game.lost())
        drawBombs(scene_.bombs(), viewRotation);
}

void BoardDrawer::drawCursor(const Board& board, int index)
{
    if (index < 0 || index >= board.cubeCount())
        return;
    const CubePosition at = board.positionOf(index);
    // A little larger than the cube, so its faces never hide the lines, and unlit.
    const float lo[3] = {static_cast<float>(at.x) - kCursorMargin,
                         static_cast<float>(at.y) - kCursorMargin,
                         static_cast<float>(at.z) - kCursorMargin};
    const float hi[3] = {lo[0] + 1.0F + 2.0F * kCursorMargin, lo[1] + 1.0F + 2.0F * kCursorMargin,
                         lo[2] + 1.0F + 2.0F * kCursorMargin};
    const auto edges = [&] {
        glBegin(GL_LINES);
        // The twelve edges: for each axis, the four lines along it.
        for (int axis = 0; axis < 3; ++axis) {
            const int u = (axis + 1) % 3;
            const int v = (axis + 2) % 3;
            for (int corner = 0; corner < 4; ++corner) {
                float p[3] = {};
                p[u] = (corner & 1) != 0 ? hi[u] : lo[u];
                p[v] = (corner & 2) != 0 ? hi[v] : lo[v];
                p[axis] = lo[axis];
                glVertex3f(p[0], p[1], p[2]);
                p[axis] = hi[axis];
                glVertex3f(p[0], p[1], p[2]);
            }
        }
        glEnd();
    };
    glDisable(GL_LIGHTING);
    textures_.disableTexturing();
    // A cube seen through a gap is mostly hidden by its neighbours: the whole outline shows
    // faintly through them, so the player never loses the cursor, and brightly where it is seen.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_DEPTH_TEST);
    glLineWidth(kCursorLineWidth * 0.5F);
    glColor4f(kCursorColour[0], kCursorColour[1], kCursorColour[2], 0.5F);
    edges();
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glLineWidth(kCursorLineWidth);
    glColor4f(kCursorColour[0], kCursorColour[1], kCursorColour[2], 1.0F);
    edges();
    glLineWidth(1.0F);
    glEnable(GL_LIGHTING);
}

void BoardDrawer::drawLabels(const NumberLabels& labels, const Quaternion& viewRotation,
                             const HintHighlight& hint)
{
    blendOver();
    textures_.useTexture(TextureSet::kCubeAtlas);
    // The depth test stays on, so covered cubes in front still hide a label.
    glDepthMask(GL_FALSE);

    const Billboard billboard = billboardFacing(viewRotation, NumberLabels::kHalfSize);
    // A lit hint's proving numbers, and their glow.
    const Billboard reasonBoard =
        billboardFacing(viewRotation, NumberLabels::kHalfSize * HintHighlight::kReasonScale);
    const Billboard haloBoard =
        billboardFacing(viewRotation, NumberLabels::kHalfSize * HintHighlight::kHaloScale);
    const DepthProbe probe =
        probeFor(viewRotation, labels.width(), labels.height(), labels.depth());
    sortedLabels_.clear();
    const OcclusionCuller& occlusion = mesh_.occlusion();
    for (const LabelRecord& record : labels.records()) {
        // The depth test would turn away every pixel of a label the covered cubes hide.
        const bool reason = hint.isReason(record.cubeIndex);
        const float half =
            reason ? NumberLabels::kHalfSize * HintHighlight::kHaloScale : NumberLabels::kHalfSize;
        if (occlusion.hides(static_cast<float>(record.x) + 0.5F,
                            static_cast<float>(record.y) + 0.5F,
                            static_cast<float>(record.z) + 0.5F, half))
            continue;
        sortedLabels_.push_back(
            {labels.lit(record) || reason, probe.depthOf(record.x, record.y, record.z), &record});
    }
    std::sort(sortedLabels_.begin(), sortedLabels_.end(), [](const auto& a, const auto& b) {
        return a.lit != b.lit ? b.lit : a.depth < b.depth;
    });

    const Colour& tint = labels.tint();
    const bool neighbourhood = scene_.neighbourhood();
    for (const SortedLabel& label : sortedLabels_) {
        const LabelRecord& record = *label.record;
        const AtlasRect rect = labelRect(record.number + 1);
        if (hint.isReason(record.cubeIndex)) {
            // Added light brightens whatever lies behind, so the glow shows on any skin.
            const Colour& halo = HintHighlight::kHaloColour;
            glBlendFunc(GL_SRC_ALPHA, GL_ONE);
            glColor4f(halo.r, halo.g, halo.b, halo.a);
            drawSprite(record.x, record.y, record.z, haloBoard, rect);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            glColor4f(1.0F, 1.0F, 1.0F, 1.0F);
            drawSprite(record.x, record.y, record.z, reasonBoard, rect);
            continue;
        }
        glColor4f(tint.r, tint.g, tint.b,
                  labels.alphaOf(record, probe.nearness(label.depth), neighbourhood));
        drawSprite(record.x, record.y, record.z, billboard, rect);
    }

    glDepthMask(GL_TRUE);
    textures_.disableTexturing();
}

void BoardDrawer::drawBombs(const BombMarkers& bombs, const Quaternion& viewRotation)
{
    blendOver();
    textures_.useTexture(TextureSet::kCubeAtlas);
    // Every bomb shows through the block.
    glDepthMask(GL_FALSE);
    glDisable(GL_DEPTH_TEST);

    const Billboard billboard = billboardFacing(viewRotation, kBombHalfSize);
    const DepthProbe probe = probeFor(viewRotation, bombs.width(), bombs.height(), bombs.depth());
    sortedBombs_.clear();
    for (const BombRecord& record : bombs.records())
        sortedBombs_.emplace_back(probe.depthOf(record.x, record.y, record.z), &record);
    std::sort(sortedBombs_.begin(), sortedBombs_.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });

    const Colour& tint = bombs.tint();
    for (const auto& [depth, record] : sortedBombs_) {
        const int sprite = record->marked != 0 ? 1 : (record->intact == 0 ? 2 : 0);
        glColor4f(tint.r, tint.g, tint.b, 0.4F * probe.nearness(depth) + 0.2F);
        drawSprite(record->x, record->y, record->z, billboard, bombSprite(sprite));
    }

    // The depth test stays off; the overlay that follows wants it off too.
    glDepthMask(GL_TRUE);
    textures_.disableTexturing();
}

} // namespace kubrix
