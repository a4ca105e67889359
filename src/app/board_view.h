// The main window's client area: the OpenGL widget the board is drawn into.
#pragma once

#include <QOpenGLWidget>

#include <functional>

namespace kubrix {

class RenderContext;
class TextureSet;

// Owns nothing of the game: it tells the render context when its OpenGL context comes and
// goes, keeps the client size in device pixels and hands each paint to the window.
class BoardView final : public QOpenGLWidget {
    Q_OBJECT

public:
    // Called with the context current; the size is the client area in device pixels.
    using PaintHandler = std::function<void(int deviceWidth, int deviceHeight)>;

    BoardView(RenderContext& context, TextureSet& textures, QWidget* parent = nullptr);
    // Releases the textures with the context current, while their names still mean something.
    ~BoardView() override;

    void setPaintHandler(PaintHandler handler) { paint_ = std::move(handler); }
    int deviceWidth() const { return deviceWidth_; }
    int deviceHeight() const { return deviceHeight_; }

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;

private:
    void releaseDevice();

    RenderContext& context_;
    TextureSet& textures_;
    PaintHandler paint_;
    int deviceWidth_ = 0;
    int deviceHeight_ = 0;
};

} // namespace kubrix
