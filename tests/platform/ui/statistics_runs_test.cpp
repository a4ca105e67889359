// Statistics that outlive a killed run and add up over two runs at once, with the real program
// objects and settings file in child processes.
#include "support/temp_folder.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace kubrix::test {
namespace {

// A run of the program over the settings in config; killed, not closed, when it goes.
struct ProgramRun {
    explicit ProgramRun(const TempFolder& config)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           QString::fromStdString(config.path()));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(KUBRIX_GAME_RUN_CHILD), {});
        started = tell(nullptr);
    }
    ~ProgramRun()
    {
        process.kill(); // SIGKILL: no window is closed, nothing more is saved
        process.waitForFinished(5000);
    }
    // Sends the command, if any, and returns the next line the run prints.
    std::string tell(const char* command)
    {
        if (command != nullptr)
            process.write(QByteArray(command) + '\n');
        while (!process.canReadLine() && process.waitForReadyRead(20000)) {
        }
        return process.readLine().trimmed().toStdString();
    }

    QProcess process;
    // "started <games played> <games won> <current streak>", as the run loaded them.
    std::string started;
};

TEST(StatisticsRuns, AKilledRunKeepsItsFinishedGamesAndTwoRunsBothCount)
{
    TempFolder config;
    std::filesystem::create_directories(config / "Kubrix");
    std::ofstream(config / "Kubrix" / "Kubrix.ini") << "[Startup]\nhst=1\n[User]\nstlos=10\n";
    auto a = std::make_unique<ProgramRun>(config);
    ProgramRun b(config);
    ASSERT_EQ(a->started, "started 10 0 0");
    ASSERT_EQ(b.started, "started 10 0 0");
    EXPECT_EQ(a->tell("win"), "finished");
    a.reset();
    EXPECT_EQ(ProgramRun(config).started, "started 11 1 1") << "the killed run's game counted";

    EXPECT_EQ(b.tell("lose"), "finished");
    b.process.write("quit\n");
    ASSERT_TRUE(b.process.waitForFinished(10000));
    EXPECT_EQ(b.process.exitCode(), 0);
    EXPECT_EQ(ProgramRun(config).started, "started 12 1 -1")
        << "the run that quit last kept the other's game and added its own";
}

} // namespace
} // namespace kubrix::test
