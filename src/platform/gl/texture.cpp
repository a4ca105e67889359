// A texture image and its OpenGL texture: loading from a skin, upload on first bind, release.
#include "platform/gl/texture.h"

#include "core/formats/packed_image.h"
#include "core/formats/skin_package.h"

#include <GL/gl.h>

#include <utility>

namespace kubrix {

Texture::Texture(bool smoothTextures) : createdUnder_(smoothTextures)
{
}

bool Texture::loadFromSkin(const SkinPackage& package, int slot)
{
    if (slot < 0 || slot >= SkinPackage::kImageSlots)
        return false;
    RgbaImage loaded;
    if (!unpack(package.imageRecord(slot), loaded)) {
        image_ = RgbaImage{};
        return false;
    }
    image_ = std::move(loaded);
    return true;
}

bool Texture::bind(bool smooth, bool lowColour)
{
    const bool flag = smooth && lowColour;
    if (flag != createdUnder_) {
        createdUnder_ = flag;
        release();
    }
    if (uploaded_) {
        glBindTexture(GL_TEXTURE_2D, glName_);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        return false;
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glName_ = name;
    glBindTexture(GL_TEXTURE_2D, glName_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    uploaded_ = true;
    if (image_.empty())
        return false;
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, image_.width, image_.height, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, image_.pixels.data());
    return true;
}

void Texture::release()
{
    if (!uploaded_)
        return;
    const GLuint name = glName_;
    glDeleteTextures(1, &name);
    glName_ = 0;
    uploaded_ = false;
}

} // namespace kubrix
