// The window's pauses.
#include "platform/ui/pause_control.h"

#include "core/game/game.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace kubrix {

PauseControl::PauseControl(QWidget& window, Game& game, std::function<bool()> tutorialRunning)
    : QObject(&window), window_(window), game_(game), tutorialRunning_(std::move(tutorialRunning))
{
    window_.installEventFilter(this);
}

bool PauseControl::canPause() const
{
    return game_.running() && !game_.paused() && !tutorialRunning_();
}

void PauseControl::toggle()
{
    pausedByDialog_ = false;
    if (game_.paused())
        game_.resume();
    else if (canPause())
        game_.pause();
}

void PauseControl::gameReplaced()
{
    if (QApplication::activeModalWidget() != nullptr)
        pauseForDialog();
}

void PauseControl::pauseForDialog()
{
    if (canPause()) {
        game_.pause();
        pausedByDialog_ = true;
    }
}

bool PauseControl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &window_)
        return false;
    switch (event->type()) {
    case QEvent::WindowBlocked:
        pauseForDialog();
        break;
    case QEvent::WindowUnblocked:
        if (pausedByDialog_) {
            pausedByDialog_ = false;
            game_.resume();
        }
        break;
    case QEvent::WindowStateChange:
        if (window_.isMinimized()) {
            if (canPause())
                game_.pause();
            // Back from the taskbar the block stays hidden until the player resumes.
            pausedByDialog_ = false;
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace kubrix
