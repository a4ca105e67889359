// Pausing the game: the Pause command, and the pauses the window takes by itself while the
// player cannot play (minimised, or behind a modal dialog).
#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace kubrix {

class Game;

// Watches the window's events. A pause taken for a modal dialog ends when the dialog closes;
// one taken by the player or by minimising lasts until the player resumes.
class PauseControl final : public QObject {
public:
    PauseControl(QWidget& window, Game& game, std::function<bool()> tutorialRunning);

    // Pauses a running game, or resumes a paused one. The tutorial plays on unpaused.
    void toggle();
    // A game loaded while a modal dialog covers the window waits, as the one it replaced did,
    // until the dialog closes.
    void gameReplaced();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool canPause() const;
    void pauseForDialog();

    QWidget& window_;
    Game& game_;
    std::function<bool()> tutorialRunning_;
    bool pausedByDialog_ = false;
};

} // namespace kubrix
