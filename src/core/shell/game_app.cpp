// The application object's start-up and shut-down.
#include "core/shell/game_app.h"

#include "core/shell/command_line.h"

namespace kubrix {

GameApp::GameApp(AppServices services)
    : services_(services), updateCheck_(events_, services.versionSource),
      game_(GameServices{services.settings, services.clock, statistics_, services.sound,
                         services.host})
{
}

GameApp::~GameApp()
{
    shutDown();
}

bool GameApp::startUp(const std::vector<std::string>& arguments)
{
    // The settings store was opened by whoever made it; it is ours to use from here on.
    if (!arguments.empty() && isExitArgument(arguments.front())) {
        events_.updateFinished.set();
        return false;
    }
    updateCheck_.start(services_.settings);
    if (!services_.shell.createMainWindow())
        return false;
    random_.seed(services_.clock.now());
    return true;
}

void GameApp::shutDown()
{
    if (shutDown_)
        return;
    shutDown_ = true;
    updateCheck_.stop();
    services_.shell.releaseSkins();
}

} // namespace kubrix
