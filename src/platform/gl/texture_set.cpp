// The two skin textures: reloaded together after an invalidation, rebound only on a slot change.
#include "platform/gl/texture_set.h"

#include "core/skin/skin_store.h"

#include <GL/gl.h>

namespace kubrix {

namespace {
// The cube atlas covers most of the screen, so it should stay resident before the overlay.
constexpr std::array<GLclampf, 2> kPriorities{1.0F, 0.5F};
} // namespace

TextureSet::TextureSet(SkinStore& skins) : skins_(skins)
{
}

void TextureSet::useTexture(int slot)
{
    if (slot != kCubeAtlas && slot != kOverlayAtlas)
        return;
    if (slot == currentSlot_) {
        glEnable(GL_TEXTURE_2D);
        return;
    }
    if (currentSlot_ == -1)
        reloadFromSkin();
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, slots_[static_cast<std::size_t>(slot)]->glName());
    ++binds_;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, smooth_ ? GL_LINEAR : GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    currentSlot_ = slot;
}

void TextureSet::restoreBinding()
{
    if (currentSlot_ == -1)
        return;
    glBindTexture(GL_TEXTURE_2D, slots_[static_cast<std::size_t>(currentSlot_)]->glName());
}

void TextureSet::reloadFromSkin()
{
    const SkinPackage& skin = skins_.currentSkin();
    std::array<GLuint, 2> names{};
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        if (slots_[i])
            slots_[i]->release();
        slots_[i] = std::make_unique<Texture>(smooth_);
        // A skin without this image still gets a (pixel-less) texture: see Texture::bind.
        slots_[i]->loadFromSkin(skin, static_cast<int>(i));
        if (slots_[i]->bind(smooth_, lowColour_))
            ++uploads_;
        ++binds_;
        names[i] = slots_[i]->glName();
    }
    glPrioritizeTextures(static_cast<GLsizei>(names.size()), names.data(), kPriorities.data());
}

void TextureSet::disableTexturing()
{
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}

void TextureSet::invalidate()
{
    currentSlot_ = -1;
}

void TextureSet::releaseAll()
{
    for (auto& texture : slots_)
        if (texture)
            texture->release();
    currentSlot_ = -1;
}

const Texture* TextureSet::texture(int slot) const
{
    if (slot != kCubeAtlas && slot != kOverlayAtlas)
        return nullptr;
    return slots_[static_cast<std::size_t>(slot)].get();
}

} // namespace kubrix
