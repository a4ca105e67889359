// Draws a short line of text on the overlay, such as the front layer while the block is peeled.
#pragma once

#include "core/scene/atlas.h"

#include <cstdint>
#include <string>

namespace kubrix {

class RenderContext;

// The skin's atlases hold no letters, so the text is set with the desktop's font into a texture
// of its own, made again only when the text or the OpenGL context changes.
class CaptionDrawer {
public:
    explicit CaptionDrawer(RenderContext& context) : context_(context) {}

    // Draws the text at the bottom left of the client area (client pixels, top-left origin),
    // in a plate that keeps it readable on any background; an empty text draws nothing. Leaves
    // the texture that was bound bound again.
    void draw(const PixelRect& client, const std::string& text);

private:
    void upload(const std::string& text);

    RenderContext& context_;
    std::uint32_t texture_ = 0;
    std::uint64_t contextSerial_ = 0;
    std::string uploaded_;
    int width_ = 0;
    int height_ = 0;
};

} // namespace kubrix
