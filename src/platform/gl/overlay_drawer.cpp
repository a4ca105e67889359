// The overlay: textured rectangles of the overlay atlas laid out in window pixels.
#include "platform/gl/overlay_drawer.h"

#include "core/game/game.h"
#include "platform/gl/render_context.h"
#include "platform/gl/texture_set.h"

#include <GL/gl.h>

#include <algorithm>

namespace kubrix {

namespace {
// Both the face and the counters stand 8/75 of the shorter client side high; the face is
// measured by its half-height so that it stays an even number of pixels around the middle.
constexpr float kFaceScale = 0.10666667F;
constexpr float kCounterScale = 0.21333334F;
constexpr int kMaxMinutes = 99;
} // namespace

OverlayDrawer::OverlayDrawer(RenderContext& context, TextureSet& textures)
    : context_(context), textures_(textures)
{
}

void OverlayDrawer::drawImage(const PixelRect& client, const PixelRect& dest, int image)
{
    if (!context_.ready())
        return;
    beginPictures(client);
    addPicture(dest, image);
    endPictures();
}

void OverlayDrawer::beginPictures(const PixelRect& client)
{
    glViewport(0, 0, client.width(), client.height());
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    textures_.useTexture(TextureSet::kOverlayAtlas);

    // y runs downwards, so the overlay is laid out in the same pixels a click reports.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, client.width(), client.height(), 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glDisable(GL_CULL_FACE);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glColor4f(1.0F, 1.0F, 1.0F, 1.0F);
    glBegin(GL_QUADS);
}

void OverlayDrawer::addPicture(const PixelRect& dest, int image)
{
    const AtlasRect rect = overlayImage(image);
    const auto left = static_cast<float>(dest.left);
    const auto top = static_cast<float>(dest.top);
    const auto right = static_cast<float>(dest.right);
    const auto bottom = static_cast<float>(dest.bottom);
    glTexCoord2f(rect.uLeft, rect.vTop);
    glVertex2f(left, top);
    glTexCoord2f(rect.uRight, rect.vTop);
    glVertex2f(right, top);
    glTexCoord2f(rect.uRight, rect.vBottom);
    glVertex2f(right, bottom);
    glTexCoord2f(rect.uLeft, rect.vBottom);
    glVertex2f(left, bottom);
}

void OverlayDrawer::endPictures()
{
    glEnd();
    textures_.disableTexturing();
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    glEnable(GL_CULL_FACE);
    glEnable(GL_LIGHTING);
}

int OverlayDrawer::addScaledPicture(int x, int y, int image, int height, bool alignRight)
{
    const int width = scaledWidth(overlayImage(image), height);
    if (alignRight)
        x -= width;
    addPicture({x, y, x + width, y + height}, image);
    return width;
}

void OverlayDrawer::drawBackground(const PixelRect& client)
{
    drawImage(client, client, overlay::kBackground);
}

PixelRect OverlayDrawer::faceRect(const PixelRect& client)
{
    const int side = std::min(client.width(), client.height());
    const auto half = static_cast<int>(static_cast<float>(side) * kFaceScale * 0.5F);
    const int middle = client.width() / 2;
    return {middle - half, 0, middle + half, 2 * half};
}

int OverlayDrawer::counterHeight(const PixelRect& client)
{
    const int side = std::min(client.width(), client.height());
    return static_cast<int>(static_cast<float>(side) * kCounterScale * 0.5F);
}

PixelRect OverlayDrawer::drawHud(const PixelRect& client, const Game& game)
{
    const PixelRect face = faceRect(client);
    if (!context_.ready())
        return face;
    // One state change and one batch for all the pictures, which share texture and colour.
    beginPictures(client);
    addPicture(face, game.face().value());
    addCounters(client, game);
    endPictures();
    return face;
}

void OverlayDrawer::addCounters(const PixelRect& client, const Game& game)
{
    const int height = counterHeight(client);

    const int seconds = std::clamp(game.clockSeconds(), 0, 59999);
    const int minutes = std::min(seconds / 60, kMaxMinutes);
    int x = 0;
    x += addScaledPicture(x, 0, overlay::kTimeCounterOpen, height, false);
    for (const int digit : {minutes / 100, minutes % 100 / 10, minutes % 10})
        x += addScaledPicture(x, 0, overlay::kFirstDigit + digit, height, false);
    x += addScaledPicture(x, 0, overlay::kTimeSeparator, height, false);
    for (const int digit : {seconds % 60 / 10, seconds % 10})
        x += addScaledPicture(x, 0, overlay::kFirstDigit + digit, height, false);
    addScaledPicture(x, 0, overlay::kTimeCounterClose, height, false);

    const int bombsLeft = std::clamp(game.bombCounter(), 0, 999);
    x = client.width();
    x -= addScaledPicture(x, 0, overlay::kBombCounterOuterEnd, height, true);
    for (const int digit : {bombsLeft % 10, bombsLeft / 10 % 10, bombsLeft / 100})
        x -= addScaledPicture(x, 0, overlay::kFirstDigit + digit, height, true);
    addScaledPicture(x, 0, overlay::kBombCounterInnerEnd, height, true);

    if (!game.ended())
        return;
    const int banner = game.lost() ? overlay::kLostBanner : overlay::kWonBanner;
    const int width = scaledWidth(overlayImage(banner), height);
    const int left = client.width() / 2 - width / 2;
    const int top = client.height() - height;
    addPicture({left, top, left + width, top + height}, banner);
}

} // namespace kubrix
