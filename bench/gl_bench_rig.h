// An OpenGL context drawing into a 600 x 600 offscreen framebuffer, with a game over the built-in
// skin, for timing whole frames and picks; made on first use so the core timings need no display.
#pragma once

#include "core/base/clock.h"
#include "core/base/memory_settings_store.h"
#include "core/game/game.h"
#include "core/skin/skin_store.h"
#include "platform/gl/picker.h"
#include "platform/gl/render_context.h"
#include "platform/gl/scene_renderer.h"
#include "platform/gl/texture_set.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kubrix::bench {

// The boards the frame and pick timings run on.
enum class BenchBoard {
    Expert,          // a fresh 8 x 8 x 8 Expert game, flat cubes
    Fresh20,         // a fresh 20 x 20 x 20 board, flat
    Fresh20Bevelled, // the same, bevelled
    Worst20,         // a 3D checkerboard of covered cubes: every covered cube shows six faces
    Worst20Bevelled, // the same, bevelled
    Worst20Peeled,   // the checkerboard with its three front layers peeled away
    Fresh20Hover,    // a fresh 20 x 20 x 20 board, its centre cube hovered, neighbourhood lit
};

class GlBenchRig final : private SoundPlayer, private GameHost, private SkinInfoPresenter {
public:
    static constexpr int kSide = 600;

    // The one rig, made on the first call; null (with the reason in whyNot) when no OpenGL
    // context can be had, for example without a display.
    static GlBenchRig* get(std::string& whyNot);
    // Ends the rig (context, textures and the application object) while Qt is still whole;
    // main calls it after the benchmarks.
    static void release();

    // Starts a game on the board and draws one frame, so that timings start with the
    // textures loaded and the mesh's arrays built.
    void show(BenchBoard board);
    // One whole frame, finished (the frame ends with glFinish).
    void renderFrame();
    // The hover pick at the middle of the view.
    int pickCentre();
    // A left click at the middle of the view as the window handles it: the pick, the exposure
    // (on a fresh game the bombs are placed and the flood runs) and the frame that shows it.
    void clickCentre();

    ~GlBenchRig() override;
    GlBenchRig(const GlBenchRig&) = delete;
    GlBenchRig& operator=(const GlBenchRig&) = delete;

private:
    GlBenchRig();
    static std::unique_ptr<GlBenchRig>& instance();
    bool open(std::string& whyNot);

    void playSound(SoundId) override {}
    void playMusic() override {}
    void stopMusic() override {}
    bool tutorialGame() const override { return false; }
    bool tutorialRunning() const override { return false; }
    void showRecordEntry(Game&) override {}
    void showSkinInfo(const SkinPackage&) override {}

    int argc_ = 1;
    std::vector<char*> argv_;
    std::string programName_{"kubrix-bench"};
    std::unique_ptr<QGuiApplication> application_;
    std::unique_ptr<QOffscreenSurface> surface_;
    std::unique_ptr<QOpenGLContext> glContext_;
    std::unique_ptr<QOpenGLFramebufferObject> fbo_;

    std::vector<std::uint8_t> skinBytes_;
    MemorySettingsStore store_;
    std::unique_ptr<SkinStore> skins_;
    std::unique_ptr<TextureSet> textures_;
    RenderContext context_;
    std::unique_ptr<SceneRenderer> renderer_;
    std::unique_ptr<Picker> picker_;
    ManualClock clock_{50000};
    Statistics statistics_;
    Quaternion viewRotation_ = kTutorialRotation;
    std::string layerCaption_;
    std::unique_ptr<Game> game_;
};

} // namespace kubrix::bench
