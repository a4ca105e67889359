// The two skin textures the renderer draws with: the cube atlas and the overlay atlas.
#pragma once

#include "platform/gl/texture.h"

#include <array>
#include <memory>

namespace kubrix {

class SkinStore;

// The textures follow the skin, not the game: they are reloaded when the skin changes, when the
// view is reset and when a new OpenGL context comes, never because the board changed.
class TextureSet final {
public:
    static constexpr int kCubeAtlas = 0;
    static constexpr int kOverlayAtlas = 1;

    explicit TextureSet(SkinStore& skins);

    // Makes slot 0 (cube atlas) or 1 (overlay atlas) the texture of the following drawing and
    // turns 2D texturing on. After an invalidation both slots are first reloaded together from
    // the skin current at that moment. Needs the OpenGL context current.
    void useTexture(int slot);
    // Binds again the slot this set believes bound. Qt binds textures behind its back (a
    // framebuffer object made for a resized view leaves texture 0 bound), so every frame
    // starts with this; it is no change of slot and counts as no bind.
    void restoreBinding();
    // Turns blending and 2D texturing off, as every drawing step leaves them.
    void disableTexturing();

    // The next draw recreates both textures from the skin current at that moment. Needs no
    // OpenGL context: the reload waits for the next useTexture.
    void invalidate();
    // Linear magnification when on, nearest-texel when off; takes effect at the next change of
    // the bound slot.
    void setSmoothTextures(bool smooth) { smooth_ = smooth; }
    bool smoothTextures() const { return smooth_; }
    // A display of under 16 colour bits remakes the textures when smoothing changes.
    void setLowColourDisplay(bool low) { lowColour_ = low; }
    bool lowColourDisplay() const { return lowColour_; }

    // Deletes both GL textures and forces a reload. The owner calls this with the context
    // current before the context goes away, since the names die with it.
    void releaseAll();

    // -1 after an invalidation, else the slot bound last.
    int currentSlot() const { return currentSlot_; }
    // Null until the first useTexture.
    const Texture* texture(int slot) const;
    // Counts of texture image uploads and of texture binds, for tests and diagnostics.
    int uploads() const { return uploads_; }
    int binds() const { return binds_; }

private:
    void reloadFromSkin();

    SkinStore& skins_;
    std::array<std::unique_ptr<Texture>, 2> slots_;
    int currentSlot_ = -1;
    bool smooth_ = true;
    bool lowColour_ = false;
    int uploads_ = 0;
    int binds_ = 0;
};

} // namespace kubrix
