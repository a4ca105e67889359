// The benchmark's OpenGL context and game.
#include "gl_bench_rig.h"

#include "core/scene/view_state.h"
#include "default_skin/builtin_skin.h"
#include "platform/gl/render_context.h"

#include <QSurfaceFormat>

#include <GL/gl.h>

#include <cstdlib>

namespace kubrix::bench {

namespace {

constexpr int kWorstSide = 20;
constexpr int kWorstBombs = 500;

bool displayReachable()
{
    // Without any of these Qt would end the program on failing to open a display, before the
    // benchmark can skip.
    return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr ||
           std::getenv("QT_QPA_PLATFORM") != nullptr;
}

} // namespace

std::unique_ptr<GlBenchRig>& GlBenchRig::instance()
{
    // Kept for the whole run: contexts are costly and the benchmarks run one after another.
    static std::unique_ptr<GlBenchRig> rig;
    return rig;
}

GlBenchRig* GlBenchRig::get(std::string& whyNot)
{
    static std::string failure;
    std::unique_ptr<GlBenchRig>& rig = instance();
    if (rig)
        return rig.get();
    if (!failure.empty()) {
        whyNot = failure;
        return nullptr;
    }
    auto made = std::unique_ptr<GlBenchRig>(new GlBenchRig());
    if (!made->open(failure)) {
        whyNot = failure;
        return nullptr;
    }
    rig = std::move(made);
    return rig.get();
}

void GlBenchRig::release()
{
    instance().reset();
}

GlBenchRig::GlBenchRig()
{
    argv_ = {programName_.data(), nullptr};
}

GlBenchRig::~GlBenchRig()
{
    if (glContext_ && surface_ && glContext_->makeCurrent(surface_.get())) {
        textures_->releaseAll();
        fbo_.reset();
        glContext_->doneCurrent();
    }
}

bool GlBenchRig::open(std::string& whyNot)
{
    if (!displayReachable()) {
        whyNot = "no display for an OpenGL context (run under xvfb-run)";
        return false;
    }
    // An X server that cannot be reached falls back to the offscreen platform, where the
    // context creation below fails politely instead of Qt ending the program.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        qputenv("QT_QPA_PLATFORM", "xcb;offscreen");
    if (QGuiApplication::instance() == nullptr)
        application_ = std::make_unique<QGuiApplication>(argc_, argv_.data());

    QSurfaceFormat format;
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    surface_ = std::make_unique<QOffscreenSurface>();
    surface_->setFormat(format);
    surface_->create();
    glContext_ = std::make_unique<QOpenGLContext>();
    glContext_->setFormat(format);
    if (!glContext_->create() || !glContext_->makeCurrent(surface_.get())) {
        whyNot = "no OpenGL context";
        return false;
    }
    fbo_ = std::make_unique<QOpenGLFramebufferObject>(
        kSide, kSide, QOpenGLFramebufferObject::CombinedDepthStencil);
    if (!fbo_->isValid() || !fbo_->bind()) {
        whyNot = "no framebuffer object";
        return false;
    }
    context_.contextCreated();

    skinBytes_ = builtInSkinPackage();
    skins_ = std::make_unique<SkinStore>(skinBytes_, store_, ".",
                                         static_cast<SkinInfoPresenter&>(*this));
    textures_ = std::make_unique<TextureSet>(*skins_);
    renderer_ = std::make_unique<SceneRenderer>(context_, *textures_);
    picker_ = std::make_unique<Picker>(context_, renderer_->boardDrawer());
    game_ = std::make_unique<Game>(GameServices{store_, clock_, statistics_, *this, *this});
    game_->initFromSettings();
    return true;
}

void GlBenchRig::show(BenchBoard board)
{
    Game& game = *game_;
    const bool bevelled =
        board == BenchBoard::Fresh20Bevelled || board == BenchBoard::Worst20Bevelled;
    game.setQuality(bevelled ? 2 : 1);
    if (board == BenchBoard::Expert)
        game.selectLevel(2);
    else
        game.newGame(4, kWorstSide, kWorstSide, kWorstSide, kWorstBombs);
    if (board == BenchBoard::Worst20 || board == BenchBoard::Worst20Bevelled ||
        board == BenchBoard::Worst20Peeled) {
        Board& cubes = game.board();
        for (int i = 0; i < cubes.cubeCount(); ++i) {
            const CubePosition p = cubes.positionOf(i);
            cubes.cube(i).covered = (p.x + p.y + p.z) % 2 == 0 ? 1 : 0;
        }
    }
    viewRotation_ = kTutorialRotation;
    ViewState view;
    view.follow(viewRotation_);
    const BlockSize size{game.board().width(), game.board().height(), game.board().depth()};
    for (int layer = 0; board == BenchBoard::Worst20Peeled && layer < 3; ++layer)
        view.peelLayer(size);
    layerCaption_ = view.layerCaption(size);
    BoardScene& scene = renderer_->boardDrawer().scene();
    scene.setPeel(view.peel());
    scene.setNeighbourhood(board == BenchBoard::Fresh20Hover);
    game.setHover(board == BenchBoard::Fresh20Hover ? game.board().indexOf(10, 10, 10) : -1);
    renderFrame();
}

void GlBenchRig::renderFrame()
{
    FrameView view{*game_, viewRotation_, kSide, kSide};
    view.layerCaption = layerCaption_;
    renderer_->renderFrame(view);
}

int GlBenchRig::pickCentre()
{
    const std::optional<int> cube =
        picker_->cubeAt(*game_, viewRotation_, kSide, kSide, kSide / 2, kSide / 2);
    return game_->setHover(cube.value_or(-1));
}

void GlBenchRig::clickCentre()
{
    const std::optional<int> cube =
        picker_->cubeAt(*game_, viewRotation_, kSide, kSide, kSide / 2, kSide / 2);
    if (cube)
        game_->expose(*cube);
    renderFrame();
}

} // namespace kubrix::bench
