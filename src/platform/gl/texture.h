// One texture image with the OpenGL texture made from it.
#pragma once

#include "core/formats/rgba_image.h"

#include <cstdint>

namespace kubrix {

class SkinPackage;

class Texture {
public:
    // createdUnder starts as the smooth-texture setting of the moment.
    explicit Texture(bool smoothTextures);
    ~Texture() = default;
    // A copy would share the GL name and delete it twice.
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    // Unpacks image slot 0 or 1 of the package. An empty or damaged slot leaves no pixels and
    // answers false; such a texture is still bound, as an image-less texture name.
    bool loadFromSkin(const SkinPackage& package, int slot);
    // Binds the texture, creating and uploading it first when it has no GL name yet. The GL
    // texture is remade when (smooth and lowColour) differs from the value it was made under.
    // Returns true when pixels were uploaded. An image without pixels gets a name but no
    // upload: OpenGL treats the incomplete texture as no texture, so faces drawn with it show
    // their plain colour.
    bool bind(bool smooth, bool lowColour);
    // Deletes the GL texture; the pixels stay.
    void release();

    const RgbaImage& image() const { return image_; }
    bool createdUnder() const { return createdUnder_; }
    bool uploaded() const { return uploaded_; }
    std::uint32_t glName() const { return glName_; }

private:
    RgbaImage image_;
    bool createdUnder_;
    bool uploaded_ = false;
    std::uint32_t glName_ = 0;
};

} // namespace kubrix
