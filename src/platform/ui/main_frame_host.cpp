// The main window's answers to the game rules.
#include "platform/ui/main_frame_host.h"

#include "platform/ui/c_main_frame.h"
#include "platform/ui/fastest_time_dialog.h"

namespace kubrix {

bool MainFrameHost::tutorialGame() const
{
    return frame_ != nullptr && frame_->tutorialGame();
}

bool MainFrameHost::tutorialRunning() const
{
    return frame_ != nullptr && frame_->tutorialRunning();
}

void MainFrameHost::showRecordEntry(Game& game)
{
    FastestTimeDialog dialog(game, frame_);
    dialog.exec();
}

} // namespace kubrix
