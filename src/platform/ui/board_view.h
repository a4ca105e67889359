// The main window's client area: the OpenGL widget the board is drawn into.
#pragma once

#include <QCursor>
#include <QOpenGLWidget>
#include <QString>

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
    // The mouse in client device pixels (the frame's own units), y growing downwards. Only the
    // left, right and middle buttons are reported. While a button is down the view keeps the mouse,
    // so its moves and release come here even outside the view.
    struct MouseHandlers {
        std::function<void(Qt::MouseButton button, int x, int y)> press;
        std::function<void(Qt::MouseButton button, int x, int y)> release;
        std::function<void(int x, int y)> move;
        // Eighths of a degree, 120 a notch, positive away from the player.
        std::function<void(int angleDelta, bool shift)> wheel;
    };

    BoardView(RenderContext& context, TextureSet& textures, QWidget* parent = nullptr);
    // Releases the textures with the context current, while their names still mean something.
    ~BoardView() override;

    void setPaintHandler(PaintHandler handler) { paint_ = std::move(handler); }
    void setMouseHandlers(MouseHandlers handlers) { mouse_ = std::move(handlers); }
    // A word shown over the frame in place of the block, none when empty.
    void setCoverText(const QString& text);
    const QString& coverText() const { return coverText_; }

    // The arrow over the board, keeping the cursor the view had before for restoreCursor.
    void showArrowCursor();
    void restoreCursor();
    // The pointer is inside the view and no other window covers it there.
    bool pointerOver() const;

    int deviceWidth() const { return deviceWidth_; }
    int deviceHeight() const { return deviceHeight_; }

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void releaseDevice();
    QPoint devicePoint(const QMouseEvent& event) const;
    static bool reported(Qt::MouseButton button);
    void paintCover();

    RenderContext& context_;
    TextureSet& textures_;
    PaintHandler paint_;
    MouseHandlers mouse_;
    bool hadCursor_ = false;
    QCursor savedCursor_;
    int deviceWidth_ = 0;
    int deviceHeight_ = 0;
    QString coverText_;
};

} // namespace kubrix
