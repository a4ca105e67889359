// The main window's answers to the game rules.
#include "platform/ui/main_window_host.h"

#include "platform/ui/fastest_time_dialog.h"
#include "platform/ui/main_window.h"

namespace kubrix {

bool MainWindowHost::tutorialGame() const
{
    return window_ != nullptr && window_->tutorialGame();
}

bool MainWindowHost::tutorialRunning() const
{
    return window_ != nullptr && window_->tutorialRunning();
}

void MainWindowHost::showRecordEntry(Game& game)
{
    FastestTimeDialog dialog(game, window_);
    dialog.exec();
}

} // namespace kubrix
