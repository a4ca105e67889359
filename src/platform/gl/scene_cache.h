// Keeps a window's frame as it stands before the overlay, for repaints of the same block.
#pragma once

#include "core/base/colour.h"
#include "core/game/deduction.h"
#include "core/scene/atlas.h"
#include "core/scene/quaternion.h"

#include <cstdint>
#include <memory>
#include <optional>

class QOpenGLFramebufferObject;

namespace kubrix {

class TextureSet;

// Everything the picture below the overlay is drawn from: equal keys draw equal pictures.
struct SceneKey {
    std::uint64_t contextSerial = 0;
    int width = 0;
    int height = 0;
    bool showBoard = true;
    Quaternion viewRotation;
    float distance = 1.0F;
    int cursorIndex = -1;
    Colour buttonFace;
    // The scene's builds stand for the board, the end of the game, the chamfers, the tint and
    // the peel (see BoardScene::update).
    std::uint64_t sceneBuilds = 0;
    int hoverIndex = -1;
    bool neighbourhood = false;
    bool bombHint = false;
    std::optional<Deduction> hint;
    int textureUploads = 0;
    bool texturesLoaded = false;
    bool smoothTextures = false;

    friend bool operator==(const SceneKey&, const SceneKey&) = default;
};

// A window at rest repaints for its overlay alone: the clock's second, the face's blink. The
// picture under the overlay is kept once a window has drawn the same block twice running,
// which a turning block never does, so turning pays nothing for it; from then on a repaint
// copies it back, which costs a software renderer a fraction of drawing the block. Only a
// window's frames are kept: a frame drawn into a framebuffer object (a benchmark, a test) is
// drawn in full.
class SceneCache {
public:
    explicit SceneCache(TextureSet& textures);
    ~SceneCache();
    SceneCache(const SceneCache&) = delete;
    SceneCache& operator=(const SceneCache&) = delete;

    // Copies the picture kept under this key into the window, leaving the state the
    // background leaves; false, with nothing drawn, when there is none.
    bool restore(const SceneKey& key, const PixelRect& client);
    // After the picture under the overlay was drawn under this key: keeps it when the frame
    // before had the same key.
    void drawn(const SceneKey& key, const PixelRect& client);

    // Frames copied from a kept picture, for tests and diagnostics.
    int restores() const { return restores_; }

private:
    void keep(const SceneKey& key, const PixelRect& client);

    TextureSet& textures_;
    std::unique_ptr<QOpenGLFramebufferObject> picture_;
    std::uint64_t pictureSerial_ = 0;
    std::optional<SceneKey> kept_;
    std::optional<SceneKey> last_;
    int restores_ = 0;
};

} // namespace kubrix
