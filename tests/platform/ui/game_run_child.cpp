// A run of the program for the statistics tests to start, play and kill: the real objects and
// settings file, its games played by commands on standard input.
#include "app/app_context.h"
#include "platform/gl/device_probe.h"
#include "support/gui_leak_check.h"
#include "support/recording_messages.h"
#include "support/recording_services.h"

#include <QApplication>

#include <iostream>

// Prints "started <played> <won> <streak>" once the window is up; then each line "win" or
// "lose" ends one game on a two-cube board and prints "finished", and "quit" closes the window
// and exits as the program does.
int main(int argc, char** argv)
{
    using namespace kubrix;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kubrix"));
    test::RecordingSoundPlayer sound;
    test::RecordingMessages messages;
    AppContext context(
        AppContextOptions{nullptr, nullptr, {}, &sound, &messages, [] { return kDeviceOpenGL; }});
    if (!context.app().startUp({}))
        return 1;
    const Statistics& stats = context.app().statistics();
    std::cout << "started " << stats.gamesPlayed() << ' ' << stats.gamesWon() << ' '
              << stats.currentStreak() << std::endl;
    Game& game = context.app().game();
    std::vector<Cube> cubes(2);
    cubes[0].neighbourBombs = 1;
    cubes[1].bomb = 1;
    for (std::string command; std::getline(std::cin, command) && command != "quit";) {
        game.restoreGame(0, 4, 2, 1, 1, 1, 0, cubes);
        game.expose(command == "win" ? 0 : 1);
        std::cout << (game.ended() ? "finished" : "still running") << std::endl;
    }
    context.destroyMainWindow();
    context.app().shutDown();
    return 0;
}
