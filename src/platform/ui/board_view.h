// The main window's client area: the OpenGL window the board is drawn into, as a widget.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <functional>

class QEvent;
class QMouseEvent;
class QWheelEvent;

namespace kubrix {

class BoardSurface;
class RenderContext;
class TextureSet;

// Owns nothing of the game: it tells the render context when its OpenGL context comes and
// goes, knows the client size in device pixels and hands each paint to the window. The frames
// go to an embedded OpenGL window (BoardSurface); the mouse arrives from that window, or, for
// events sent to the widget itself, from the widget.
class BoardView final : public QWidget {
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
    // Asks for a frame; any number of requests before it comes cost one.
    void redraw();
    // A word shown over the frame in place of the block, none when empty.
    void setCoverText(const QString& text);
    const QString& coverText() const { return coverText_; }

    // The view's context, current on this thread, for work outside a paint such as a pick.
    void makeCurrent();
    void doneCurrent();
    // A frame drawn now and read back.
    QImage grabFramebuffer();

    // The arrow over the board until restoreCursor gives the view its own cursor back.
    void showArrowCursor();
    void restoreCursor();
    bool arrowCursorShown() const { return arrowShown_; }
    // The pointer is inside the view and no other window covers it there.
    bool pointerOver() const;

    int deviceWidth() const;
    int deviceHeight() const;

signals:
    // A frame reached the window system.
    void frameSwapped();

protected:
    // The mouse and the wheel sent to the widget itself, as tests send them.
    bool event(QEvent* event) override;

private:
    void contextCreated();
    void releaseDevice();
    void paintSurface();
    void paintCover();
    void mouseEvent(QMouseEvent& event);
    void wheel(QWheelEvent& event);
    static bool reported(Qt::MouseButton button);

    RenderContext& context_;
    TextureSet& textures_;
    BoardSurface* surface_ = nullptr;
    QWidget* container_ = nullptr;
    PaintHandler paint_;
    MouseHandlers mouse_;
    bool arrowShown_ = false;
    QString coverText_;
};

} // namespace kubrix
