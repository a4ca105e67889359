// The main window's answers to the game rules.
#include "platform/ui/main_frame_host.h"

#include "core/skin/skin_store.h"
#include "platform/ui/c_main_frame.h"
#include "platform/ui/fastest_time_dialog.h"

#include <QApplication>

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

Colour MainFrameHost::boardTint() const
{
    // A custom skin brings its own colours; the default one takes the desktop's.
    if (skins_.isCustomSkinApplied())
        return {1.0F, 1.0F, 1.0F, 1.0F};
    if (frame_ != nullptr)
        return frame_->buttonFace();
    return CMainFrame::buttonFaceOf(QApplication::palette());
}

} // namespace kubrix
