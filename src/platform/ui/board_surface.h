// The OpenGL window the board is drawn into, embedded in the board view.
#pragma once

#include <QOpenGLWindow>

#include <functional>

class QMouseEvent;
class QWheelEvent;

namespace kubrix {

// A window of its own presents each frame straight to the window system. An OpenGL widget
// draws into a framebuffer object that Qt then composes with the rest of the window in a
// second full-window pass, which on a software renderer costs more than a whole frame of a
// fresh block. Everything the surface learns it hands on to its owner.
class BoardSurface final : public QOpenGLWindow {
    Q_OBJECT

public:
    struct Hooks {
        // With the new context current.
        std::function<void()> created;
        // With the context current; the frame covers the whole window.
        std::function<void()> paint;
        std::function<void(QMouseEvent& event)> mouse;
        std::function<void(QWheelEvent& event)> wheel;
    };

    explicit BoardSurface(Hooks hooks);

protected:
    void initializeGL() override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    Hooks hooks_;
};

} // namespace kubrix
