// The skin textures and the frame steps of the render context on a real OpenGL context.
#include "platform/gl/render_rig.h"

namespace kubrix::test {
namespace {

using TextureSetGl = RenderRig;
using RenderContextGl = RenderRig;

GLuint boundTexture()
{
    GLint name = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
    return static_cast<GLuint>(name);
}

TEST_F(TextureSetGl, BindsOnlyOnASlotChangeAndReloadsBothSlotsAfterAnInvalidation)
{
    textures.useTexture(0);
    EXPECT_EQ(textures.uploads(), 2) << "the first use loads both atlases";
    ASSERT_NE(textures.texture(0), nullptr);
    ASSERT_NE(textures.texture(1), nullptr);
    EXPECT_EQ(textures.texture(0)->image().width, 512);
    EXPECT_EQ(boundTexture(), textures.texture(0)->glName());
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));

    const int binds = textures.binds();
    textures.useTexture(0);
    EXPECT_EQ(textures.binds(), binds);
    textures.useTexture(1);
    EXPECT_EQ(textures.binds(), binds + 1);
    EXPECT_EQ(boundTexture(), textures.texture(1)->glName());
    textures.useTexture(1);
    textures.useTexture(1);
    EXPECT_EQ(textures.binds(), binds + 1);
    textures.useTexture(0);
    EXPECT_EQ(textures.binds(), binds + 2);
    EXPECT_EQ(textures.uploads(), 2);

    textures.disableTexturing();
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    textures.useTexture(0);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D)) << "the same slot still turns texturing back on";

    const GLuint oldName = textures.texture(0)->glName();
    textures.invalidate();
    EXPECT_EQ(textures.currentSlot(), -1);
    textures.useTexture(0);
    EXPECT_EQ(textures.uploads(), 4);
    // Names may be handed out again; an old name that was not is gone.
    const bool reused =
        oldName == textures.texture(0)->glName() || oldName == textures.texture(1)->glName();
    EXPECT_TRUE(reused || glIsTexture(oldName) == GL_FALSE) << "the old texture was deleted";
    EXPECT_EQ(boundTexture(), textures.texture(0)->glName());

    textures.releaseAll();
    EXPECT_EQ(textures.currentSlot(), -1);
    EXPECT_FALSE(textures.texture(0)->uploaded());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureSetGl, SetsTheMagnificationFilterFromTheSmoothingSwitch)
{
    const auto magnification = [] {
        GLint filter = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
        return filter;
    };
    textures.useTexture(0);
    EXPECT_EQ(magnification(), GL_LINEAR);
    textures.setSmoothTextures(false);
    textures.useTexture(1);
    EXPECT_EQ(magnification(), GL_NEAREST);
    textures.setSmoothTextures(true);
    textures.useTexture(0);
    EXPECT_EQ(magnification(), GL_LINEAR);
}

TEST_F(TextureSetGl, GivesASkinWithoutImagesPixelLessTexturesThatStillBind)
{
    skins.applySkin(SkinPackage());
    textures.invalidate();
    textures.useTexture(1);
    EXPECT_EQ(textures.uploads(), 0);
    ASSERT_NE(textures.texture(1), nullptr);
    EXPECT_TRUE(textures.texture(1)->image().empty());
    EXPECT_TRUE(textures.texture(1)->uploaded());
    EXPECT_EQ(boundTexture(), textures.texture(1)->glName());

    // A whole frame draws with them, the block in its plain colours.
    const Frame frame = render();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_NE(frame.at(kWidth / 2, kHeight / 2), (std::array<int, 3>{255, 0, 255}));
}

TEST_F(RenderContextGl, KeepsFrameStateAndSkipsEverythingUntilReady)
{
    RenderContext fresh;
    glViewport(0, 0, 30, 20);
    fresh.prepareFrame(100, 50);
    EXPECT_FALSE(fresh.frameOpen());
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 30) << "not ready: the viewport is left alone";

    fresh.contextCreated();
    fresh.prepareFrame(100, 50);
    EXPECT_TRUE(fresh.frameOpen());
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 100);
    EXPECT_EQ(viewport[3], 50);
    fresh.endFrame();
    EXPECT_FALSE(fresh.frameOpen());
    fresh.beginFrame();
    EXPECT_TRUE(fresh.frameOpen());
    fresh.endPickFrame();
    EXPECT_FALSE(fresh.frameOpen());

    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 1);

    fresh.prepareFrame(kWidth, kHeight);
    fresh.setClearColour({0.0F, 1.0F, 0.0F, 1.0F});
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(readBack().at(10, 10), (std::array<int, 3>{0, 255, 0}));
    fresh.contextDestroyed();
    fresh.setClearColour({0.0F, 0.0F, 1.0F, 1.0F});
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(readBack().at(10, 10), (std::array<int, 3>{0, 255, 0})) << "gone: colour kept";
}

// Maps the window pixel (x, y), top-left origin, on the near plane through the projection.
std::array<double, 2> throughProjection(double x, double y, double xExtent, double yExtent)
{
    GLdouble m[16] = {};
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    const double eyeX = ((x + 0.5) / kFrameWidth * 2.0 - 1.0) * xExtent;
    const double eyeY = (1.0 - (y + 0.5) / kFrameHeight * 2.0) * yExtent;
    const double eyeZ = -1.0;
    const double clipX = m[0] * eyeX + m[4] * eyeY + m[8] * eyeZ + m[12];
    const double clipY = m[1] * eyeX + m[5] * eyeY + m[9] * eyeZ + m[13];
    const double clipW = m[3] * eyeX + m[7] * eyeY + m[11] * eyeZ + m[15];
    return {clipX / clipW, clipY / clipW};
}

TEST_F(RenderContextGl, NarrowsTheProjectionToOnePixelAroundThePickPoint)
{
    context.prepareFrame(kWidth, kHeight);
    context.applyProjection(-1.5, 1.5, -1.0, 1.0, 1.0, 16.0);
    auto centre = throughProjection(299.5, 199.5, 1.5, 1.0);
    EXPECT_NEAR(centre[0], 0.0, 1e-6);
    EXPECT_NEAR(centre[1], 0.0, 1e-6);

    context.beginSelection(100, 300);
    context.applyProjection(-1.5, 1.5, -1.0, 1.0, 1.0, 16.0);
    // The pick point's pixel spans the whole clip square: its middle maps to the centre and
    // the neighbouring pixel's middle one pixel (two clip units) away.
    const auto picked = throughProjection(99.5, 299.5, 1.5, 1.0);
    EXPECT_NEAR(picked[0], 0.0, 1e-3);
    EXPECT_NEAR(picked[1], 0.0, 1e-3);
    const auto nextPixel = throughProjection(100.5, 298.5, 1.5, 1.0);
    EXPECT_NEAR(nextPixel[0], 2.0, 1e-3);
    EXPECT_NEAR(nextPixel[1], 2.0, 1e-3);
    EXPECT_EQ(context.endSelection(), std::nullopt) << "nothing was drawn";
    EXPECT_FALSE(context.selecting());
}

} // namespace
} // namespace kubrix::test
