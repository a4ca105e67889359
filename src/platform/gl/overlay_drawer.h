// Draws the flat overlay in window pixels from the overlay atlas: the background, the face, the
// time and bomb counters and the end-of-game banner.
#pragma once

#include "core/scene/atlas.h"

namespace kubrix {

class Game;
class RenderContext;
class TextureSet;

// All rectangles are in client pixels with the origin at the top-left corner; the client
// rectangle is the whole drawing area, (0, 0, width, height). Sizes follow the shorter client
// side, so the overlay scales with the window. Positions and widths are computed (and
// returned) even when there is no context to draw with.
class OverlayDrawer {
public:
    OverlayDrawer(RenderContext& context, TextureSet& textures);

    // Stretches overlay picture `image` over dest, in the overlay's own projection; leaves depth
    // testing, depth writes, culling and lighting on.
    void drawImage(const PixelRect& client, const PixelRect& dest, int image);
    void drawBackground(const PixelRect& client);
    // The face picture of the game's face state, centred at the top, the time counter (top
    // left), the bomb counter (top right) and, once the game has ended, the won or lost banner
    // centred at the bottom. Returns where the face went, which is where a click counts as a
    // click on the face.
    PixelRect drawHud(const PixelRect& client, const Game& game);

    static PixelRect faceRect(const PixelRect& client);
    // The height of the counters and of the banner.
    static int counterHeight(const PixelRect& client);

private:
    // Pictures between begin and end share one batch of quads and one state change.
    void beginPictures(const PixelRect& client);
    void addPicture(const PixelRect& dest, int image);
    void endPictures();
    // Adds the picture `height` pixels high at its own proportions with its top-left corner at
    // (x, y), or its top-right corner there when alignRight; returns the width.
    int addScaledPicture(int x, int y, int image, int height, bool alignRight);
    void addCounters(const PixelRect& client, const Game& game);

    RenderContext& context_;
    TextureSet& textures_;
};

} // namespace kubrix
