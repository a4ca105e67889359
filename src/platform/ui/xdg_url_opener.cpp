// Opens addresses through xdg-open and turns its exit status into the game's result codes.
#include "platform/ui/xdg_url_opener.h"

#include <QCoreApplication>
#include <QProcess>

namespace kubrix {

namespace {

// xdg-open's exit statuses: 0 success, 1 bad command line, 2 the file does not exist, 3 a tool
// it needs is missing, 4 the handler failed. They map onto the nearest codes the player's
// messages know (2 file not found, 31 no application, 27 broken association); anything else,
// a crash included, is failure 1, which has no text of its own: an unknown error.
constexpr int kUnknownFailure = 1;

int codeOfExitStatus(int status)
{
    switch (status) {
    case 0:
        return UrlOpener::kOpened;
    case 2:
        return 2;
    case 3:
        return 31;
    case 4:
        return 27;
    default:
        return kUnknownFailure;
    }
}

// Without xdg-open there is no application to open anything with.
constexpr int kNoOpener = 31;

} // namespace

int XdgUrlOpener::openUrl(std::string_view target)
{
    // Owned by the application, so that a handler still running after the wait is not killed
    // when this call returns; it deletes itself once it ends.
    auto* process = new QProcess(QCoreApplication::instance());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start(QStringLiteral("xdg-open"),
                   {QString::fromUtf8(target.data(), static_cast<qsizetype>(target.size()))});
    if (!process->waitForStarted(kAnswerMs)) {
        delete process;
        return kNoOpener;
    }
    if (!process->waitForFinished(kAnswerMs)) {
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        return kOpened;
    }
    const int code = process->exitStatus() == QProcess::CrashExit
                         ? kUnknownFailure
                         : codeOfExitStatus(process->exitCode());
    delete process;
    return code;
}

} // namespace kubrix
