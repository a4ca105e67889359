// The main window's side of the tutorial: opening its window beside the main window, passing it
// the timer's ticks, and noticing when it has closed.
#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

namespace kubrix {

class Clock;
class Game;
class SkinStore;
class TutorialWindow;
struct Quaternion;

class TutorialSession final : public QObject {
    Q_OBJECT

public:
    struct Parts {
        Game& game;
        Quaternion& viewRotation;
        const Clock& clock;
        SkinStore& skins;
    };

    // closed runs once each time the window closes, whoever closed it.
    TutorialSession(QWidget& mainWindow, Parts parts, std::function<void()> closed);
    // Takes an open window down without reporting it: the main window is going.
    ~TutorialSession() override;

    bool isOpen() const { return !window_.isNull(); }
    // Null while closed.
    TutorialWindow* window() const;
    // Opens the window at its first page beside the main window (once that is on the screen).
    void open();
    void close();
    // True when the board must be repainted.
    bool tick();

private:
    void place();
    void windowClosed();

    QWidget& mainWindow_;
    Parts parts_;
    std::function<void()> closed_;
    QPointer<TutorialWindow> window_;
};

} // namespace kubrix
