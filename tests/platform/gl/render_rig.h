// A real OpenGL context drawing into an offscreen framebuffer, with a game over the built-in skin,
// for tests that render frames and read their pixels back.
#pragma once

#include "core/base/clock.h"
#include "core/base/memory_settings_store.h"
#include "core/game/game.h"
#include "core/scene/camera.h"
#include "core/skin/skin_store.h"
#include "default_skin/builtin_skin.h"
#include "platform/gl/overlay_drawer.h"
#include "platform/gl/render_context.h"
#include "platform/gl/scene_renderer.h"
#include "platform/gl/texture_set.h"
#include "support/recording_services.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QSurfaceFormat>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <vector>

namespace kubrix::test {

// The pixels of one frame, addressed from the top-left corner as the overlay lays them out.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba; // OpenGL order: bottom row first

    std::array<int, 3> at(int x, int y) const
    {
        const std::size_t i = (static_cast<std::size_t>(height - 1 - y) * width + x) * 4;
        return {rgba[i], rgba[i + 1], rgba[i + 2]};
    }
    // Equal within a small tolerance per channel, as software rasterisers may round apart.
    bool sameAt(const Frame& other, int x, int y) const
    {
        const auto a = at(x, y);
        const auto b = other.at(x, y);
        for (std::size_t c = 0; c < a.size(); ++c)
            if (std::abs(a[c] - b[c]) > 2)
                return false;
        return true;
    }
    // Pixels that differ from other inside [left, right) x [top, bottom).
    int differences(const Frame& other, int left, int top, int right, int bottom) const
    {
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                count += sameAt(other, x, y) ? 0 : 1;
        return count;
    }
};

inline constexpr int kFrameWidth = 600;
inline constexpr int kFrameHeight = 400;

using CubeAt = std::array<int, 3>;

// A fully covered width x height x depth block with bombs at the given places and true
// neighbour counts.
inline std::vector<Cube> blockWithBombs(int width, int height, int depth,
                                        std::initializer_list<CubeAt> bombs)
{
    std::vector<Cube> cubes(static_cast<std::size_t>(width * height * depth));
    const auto at = [&](int x, int y, int z) -> Cube& {
        return cubes[static_cast<std::size_t>((z * height + y) * width + x)];
    };
    for (const auto& [x, y, z] : bombs)
        at(x, y, z).bomb = 1;
    for (int z = 0; z < depth; ++z)
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                for (int dz = -1; dz <= 1; ++dz)
                    for (int dy = -1; dy <= 1; ++dy)
                        for (int dx = -1; dx <= 1; ++dx) {
                            const int nx = x + dx;
                            const int ny = y + dy;
                            const int nz = z + dz;
                            if ((dx | dy | dz) != 0 && nx >= 0 && ny >= 0 && nz >= 0 &&
                                nx < width && ny < height && nz < depth)
                                at(x, y, z).neighbourBombs = static_cast<std::uint8_t>(
                                    at(x, y, z).neighbourBombs + at(nx, ny, nz).bomb);
                        }
    return cubes;
}

inline int indexIn4(int x, int y, int z)
{
    return (z * 4 + y) * 4 + x;
}

class NoSkinPopup final : public SkinInfoPresenter {
public:
    void showSkinInfo(const SkinPackage&) override {}
};

class RenderRig : public ::testing::Test {
protected:
    static constexpr int kWidth = kFrameWidth;
    static constexpr int kHeight = kFrameHeight;

    void SetUp() override
    {
        QSurfaceFormat format;
        format.setProfile(QSurfaceFormat::CompatibilityProfile);
        format.setDepthBufferSize(24);
        surface_.setFormat(format);
        surface_.create();
        glContext_.setFormat(format);
        ASSERT_TRUE(glContext_.create());
        ASSERT_TRUE(glContext_.makeCurrent(&surface_));
        fbo_ = std::make_unique<QOpenGLFramebufferObject>(
            kWidth, kHeight, QOpenGLFramebufferObject::CombinedDepthStencil);
        ASSERT_TRUE(fbo_->isValid());
        ASSERT_TRUE(fbo_->bind());
        context.contextCreated();
        game = std::make_unique<Game>(GameServices{store, clock, statistics, sound, host});
        game->initFromSettings();
    }

    void TearDown() override
    {
        if (!glContext_.isValid())
            return;
        glContext_.makeCurrent(&surface_);
        textures.releaseAll();
        fbo_.reset();
        glContext_.doneCurrent();
    }

    // A running game on exactly these cubes (neighbour counts as given, nothing counted).
    void playBoard(int width, int height, int depth, const std::vector<Cube>& cubes)
    {
        int bombs = 0;
        for (const Cube& cube : cubes)
            bombs += cube.bomb;
        ASSERT_TRUE(game->restoreGame(0, 4, width, height, depth, bombs, 0, cubes));
    }

    Frame render()
    {
        // A colour no frame draws, so that untouched pixels stand out.
        glClearColor(1.0F, 0.0F, 1.0F, 1.0F);
        glClear(GL_COLOR_BUFFER_BIT);
        faceRect = renderer.renderFrame(FrameView{*game, viewRotation, kWidth, kHeight});
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        return readBack();
    }

    // The background picture alone, as the frame draws it before anything else.
    Frame renderBackground()
    {
        glClearColor(1.0F, 0.0F, 1.0F, 1.0F);
        glClear(GL_COLOR_BUFFER_BIT);
        OverlayDrawer overlay(context, textures);
        overlay.drawBackground({0, 0, kWidth, kHeight});
        glFinish();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        return readBack();
    }

    Frame readBack() const
    {
        Frame frame{kWidth, kHeight, std::vector<std::uint8_t>(kWidth * kHeight * 4)};
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, frame.rgba.data());
        return frame;
    }

    // Where board point (x, y, z) lands in the window, top-left origin, with no view rotation:
    // eye space = board space moved to the block's centre and back by 2M, then the frustum
    // with its near plane at 1. Also how many pixels one board unit spans at that depth.
    struct Projected {
        int x = 0;
        int y = 0;
        float pixelsPerUnit = 0.0F;
    };
    Projected project(float x, float y, float z) const
    {
        const Board& board = game->board();
        const CameraSetup camera = cameraFor(board.width(), board.height(), board.depth(),
                                             board.sceneRadius(), kWidth, kHeight);
        const float eyeZ = z + camera.offsetZ + camera.centreZ;
        const float ndcX = (x + camera.offsetX) / -eyeZ / camera.xExtent;
        const float ndcY = (y + camera.offsetY) / -eyeZ / camera.yExtent;
        return {static_cast<int>((ndcX + 1.0F) / 2.0F * kWidth),
                static_cast<int>(kHeight - (ndcY + 1.0F) / 2.0F * kHeight),
                kHeight / 2.0F / camera.yExtent / -eyeZ};
    }
    Projected projectedCentre(int x, int y, int z) const
    {
        return project(static_cast<float>(x) + 0.5F, static_cast<float>(y) + 0.5F,
                       static_cast<float>(z) + 0.5F);
    }

    std::vector<std::uint8_t> skinBytes = builtInSkinPackage();
    MemorySettingsStore store;
    NoSkinPopup popup;
    SkinStore skins{skinBytes, store, ".", popup};
    TextureSet textures{skins};
    RenderContext context;
    SceneRenderer renderer{context, textures};
    ManualClock clock{50000};
    Statistics statistics;
    Quaternion viewRotation;
    RecordingSoundPlayer sound;
    FakeGameHost host;
    std::unique_ptr<Game> game;
    PixelRect faceRect;
    // Draws into the window's own framebuffer from now on, or back into the offscreen one
    // without it; false when the window cannot be shown.
    bool drawInto(QWindow* window)
    {
        if (window == nullptr)
            return glContext_.makeCurrent(&surface_) && fbo_->bind();
        window->setSurfaceType(QSurface::OpenGLSurface);
        window->setFormat(glContext_.format());
        window->resize(kWidth, kHeight);
        window->show();
        return QTest::qWaitForWindowExposed(window) && glContext_.makeCurrent(window) &&
               QOpenGLFramebufferObject::bindDefault() && window->width() == kWidth &&
               window->height() == kHeight;
    }

private:
    QOffscreenSurface surface_;
    QOpenGLContext glContext_;
    std::unique_ptr<QOpenGLFramebufferObject> fbo_;
};

} // namespace kubrix::test
