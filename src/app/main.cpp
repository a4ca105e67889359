// kubrix: the game's program entry.
#include "app/app_context.h"
#include "core/shell/command_line.h"
#include "platform/gl/device_probe.h"

#include <QApplication>
#include <QIcon>
#include <QStringList>
#include <QSurfaceFormat>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    // These are answered before the application object exists: it would fail without a
    // display, and an uninstaller or a shell may ask from where none is available. Start-up
    // checks the exit switch once more.
    switch (argc > 1 ? kubrix::launchRequestOf(argv[1]) : kubrix::LaunchRequest::Play) {
    case kubrix::LaunchRequest::Exit:
        return 0;
    case kubrix::LaunchRequest::Help:
        std::cout << kubrix::kUsageText;
        return 0;
    case kubrix::LaunchRequest::Version:
        std::cout << "Kubrix " KUBRIX_VERSION "\n";
        return 0;
    case kubrix::LaunchRequest::Play:
        break;
    }
    // Every OpenGL window and context asks for this format unless told otherwise.
    QSurfaceFormat::setDefaultFormat(kubrix::requestedSurfaceFormat());
    QApplication application(argc, argv);
    // No organisation name: the data folder is then $XDG_DATA_HOME/Kubrix.
    QApplication::setApplicationName(QStringLiteral("Kubrix"));
    // Names the desktop entry, so that a panel shows that entry's icon and name for the window.
    QGuiApplication::setDesktopFileName(QStringLiteral(KUBRIX_APP_ID));
    QApplication::setWindowIcon(kubrix::AppContext::gameIcon());

    // Qt has taken its own options out of the arguments by now.
    std::vector<std::string> arguments;
    const QStringList given = QApplication::arguments();
    for (qsizetype i = 1; i < given.size(); ++i)
        arguments.push_back(given.at(i).toStdString());

    kubrix::AppContext context;
    if (!context.app().startUp(arguments))
        return 0;
    const int status = QApplication::exec();
    context.destroyMainWindow();
    context.app().shutDown();
    return status;
}
