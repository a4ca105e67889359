// What the game rules need of the renderer's texture set.
#pragma once

namespace kubrix {

class TextureCache {
public:
    virtual ~TextureCache() = default;
    // The next draw recreates both skin textures from the skin current at that moment.
    virtual void invalidate() = 0;
    // Linear magnification when on, nearest-texel when off.
    virtual void setSmoothTextures(bool smooth) = 0;
};

} // namespace kubrix
