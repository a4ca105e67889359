// The background picture drawn once into a framebuffer of its own and copied into every frame,
// for as long as the window size and the skin textures stay as they were.
#pragma once

#include "core/scene/atlas.h"

#include <cstdint>
#include <memory>

class QOpenGLFramebufferObject;

namespace kubrix {

class OverlayDrawer;
class RenderContext;
class TextureSet;

// Stretching the picture over the window filters and blends every pixel, which costs a
// software renderer more than the whole block; a copy costs a memcpy. The picture is drawn
// over the clear colour, which is what shows through a translucent one.
class BackgroundCache {
public:
    BackgroundCache(RenderContext& context, TextureSet& textures, OverlayDrawer& overlay);
    ~BackgroundCache();
    BackgroundCache(const BackgroundCache&) = delete;
    BackgroundCache& operator=(const BackgroundCache&) = delete;

    // Fills the client area of the bound framebuffer with the background, leaving the state
    // drawing it leaves (OverlayDrawer::drawImage). Draws it directly where framebuffers
    // cannot be copied.
    void draw(const PixelRect& client);

private:
    // The picture cached is the one the window would draw now, stored for where it goes.
    bool current(const PixelRect& client, bool intoWindow) const;
    bool redraw(const PixelRect& client, std::uint32_t target, bool intoWindow);
    bool drawUpright(const PixelRect& client);
    // Replaces the upright picture with one in the window's order; false leaves it as it was.
    bool turnForWindow(const PixelRect& client);

    RenderContext& context_;
    TextureSet& textures_;
    OverlayDrawer& overlay_;
    std::unique_ptr<QOpenGLFramebufferObject> picture_;
    // What the picture was drawn with.
    std::uint64_t contextSerial_ = 0;
    int uploads_ = -1;
    bool smooth_ = false;
    // Made for the window's own framebuffer, and kept in its order (see turnForWindow).
    bool forWindow_ = false;
    bool windowRows_ = false;
};

} // namespace kubrix
