// The OpenGL window the board is drawn into, embedded in the board view.
#pragma once

#include <QOpenGLWindow>

#include <functional>

class QEvent;
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
    // Presses, releases, moves and the wheel go to the hooks; a double click arrives as its
    // second press already.
    bool event(QEvent* event) override;

private:
    Hooks hooks_;
};

} // namespace kubrix
