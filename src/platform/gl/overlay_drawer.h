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
    // Draws the picture `height` pixels high at its own proportions with its top-left corner at
    // (x, y), or its top-right corner there when alignRight; returns the width drawn.
    int drawScaledImage(const PixelRect& client, int x, int y, int image, int height,
                        bool alignRight);
    int drawDigit(const PixelRect& client, int x, int y, int digit, int height, bool alignRight);
    void drawBackground(const PixelRect& client);
    // The face picture of the face state (18..23), centred at the top; returns where it went,
    // which is where a click counts as a click on the face.
    PixelRect drawFace(const PixelRect& client, int faceState);
    // The time counter (top left), the bomb counter (top right) and, once the game has ended,
    // the won or lost banner centred at the bottom.
    void drawCounters(const PixelRect& client, const Game& game);

    static PixelRect faceRect(const PixelRect& client);
    // The height of the counters and of the banner.
    static int counterHeight(const PixelRect& client);

private:
    RenderContext& context_;
    TextureSet& textures_;
};

} // namespace kubrix
