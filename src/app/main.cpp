// kubrix: the game's program entry.
#include "app/app_context.h"
#include "platform/gl/device_probe.h"

#include <QApplication>
#include <QIcon>
#include <QStringList>
#include <QSurfaceFormat>

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    // An uninstaller may ask the program to exit from where no display is available, and the
    // application object below would fail without one; start-up checks this once more.
    if (argc > 1 && kubrix::isExitArgument(argv[1]))
        return 0;
    // Every OpenGL widget and context asks for this format unless told otherwise.
    QSurfaceFormat::setDefaultFormat(kubrix::requestedSurfaceFormat());
    QApplication application(argc, argv);
    // No organisation name: the data folder is then $XDG_DATA_HOME/Kubrix.
    QApplication::setApplicationName(QStringLiteral("Kubrix"));
    QGuiApplication::setDesktopFileName(QStringLiteral("kubrix"));
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
