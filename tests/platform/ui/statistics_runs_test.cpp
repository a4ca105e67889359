// Statistics that outlive a killed run and add up over two runs at once, with the real program
// objects and settings file in child processes.
#include "support/temp_folder.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace kubrix::test {
namespace {

class ProgramRun {
public:
    explicit ProgramRun(const TempFolder& config)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           QString::fromStdString(config.path()));
        process_.setProcessEnvironment(environment);
        process_.start(QStringLiteral(KUBRIX_GAME_RUN_CHILD), {});
        started_ = answer();
    }
    ~ProgramRun()
    {
        process_.kill();
        process_.waitForFinished(5000);
    }
    // "started <games played> <games won> <current streak>", as the run loaded them.
    const std::string& started() const { return started_; }
    std::string tell(const char* command)
    {
        process_.write(QByteArray(command) + '\n');
        return answer();
    }
    void quit()
    {
        process_.write("quit\n");
        EXPECT_TRUE(process_.waitForFinished(10000));
        EXPECT_EQ(process_.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process_.exitCode(), 0);
    }
    void killHard() { process_.kill(); } // SIGKILL: no window is destroyed, nothing is saved

private:
    std::string answer()
    {
        while (!process_.canReadLine() && process_.waitForReadyRead(20000)) {
        }
        return process_.readLine().trimmed().toStdString();
    }

    QProcess process_;
    std::string started_;
};

TEST(StatisticsRuns, AKilledRunKeepsItsFinishedGamesAndTwoRunsBothCount)
{
    TempFolder config;
    std::filesystem::create_directories(config / "Kubrix");
    std::ofstream(config / "Kubrix" / "Kubrix.ini") << "[Startup]\nhst=1\n[User]\nstlos=10\n";

    auto a = std::make_unique<ProgramRun>(config);
    ProgramRun b(config);
    ASSERT_EQ(a->started(), "started 10 0 0");
    ASSERT_EQ(b.started(), "started 10 0 0");
    EXPECT_EQ(a->tell("win"), "finished");
    a->killHard();
    a.reset();
    EXPECT_EQ(ProgramRun(config).started(), "started 11 1 1") << "the killed run's game counted";

    EXPECT_EQ(b.tell("lose"), "finished");
    b.quit();
    EXPECT_EQ(ProgramRun(config).started(), "started 12 1 -1")
        << "the idle-then-quitting run kept "
           "the other's game and added its own";
}

} // namespace
} // namespace kubrix::test
