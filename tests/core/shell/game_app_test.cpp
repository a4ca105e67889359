// The application object's start-up and shut-down order.
#include "core/base/memory_settings_store.h"
#include "core/shell/command_line.h"
#include "core/shell/game_app.h"
#include "support/recording_services.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kubrix {
namespace {

class RecordingShell final : public AppShell {
public:
    bool createMainWindow() override
    {
        calls.push_back("window");
        return windowOk;
    }
    void releaseSkins() override { calls.push_back("skins"); }

    std::vector<std::string> calls;
    bool windowOk = true;
};

class GameAppTest : public ::testing::Test {
protected:
    GameApp& makeApp()
    {
        app = std::make_unique<GameApp>(AppServices{store, clock, sound, host, shell, nullptr});
        return *app;
    }

    MemorySettingsStore store;
    ManualClock clock{7000};
    test::RecordingSoundPlayer sound;
    test::FakeGameHost host;
    RecordingShell shell;
    std::unique_ptr<GameApp> app;
};

TEST(GameAppCommandLine, OnlyAWordWithALowerCaseUAfterOneHyphenOrSlashExits)
{
    for (const char* word : {"u", "-u", "/u", "uninstall", "-update", "/uX"})
        EXPECT_EQ(launchRequestOf(word), LaunchRequest::Exit) << word;
    for (const char* word :
         {"U", "-U", "--u", "//u", "x", "", "-", "file.kbs", "/usr/x", "u/saves", "-help"})
        EXPECT_EQ(launchRequestOf(word), LaunchRequest::Play) << word;
    EXPECT_EQ(launchRequestOf("--help"), LaunchRequest::Help);
    EXPECT_EQ(launchRequestOf("--version"), LaunchRequest::Version);
}

TEST_F(GameAppTest, ExitArgumentEndsStartUpBeforeAnyWindow)
{
    GameApp& a = makeApp();
    EXPECT_FALSE(a.startUp({"/uninstall"}));
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_TRUE(a.events().updateFinished.isSet());
    a.shutDown();
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"skins"}));
}

TEST_F(GameAppTest, StartUpCreatesTheWindowAndShutDownReleasesSkinsOnce)
{
    GameApp& a = makeApp();
    EXPECT_TRUE(a.startUp({"/usr/x"})) << "a path is not the exit switch, though it begins /u";
    EXPECT_FALSE(a.updateCheck().workerStarted()) << "no update check configured";
    EXPECT_TRUE(a.events().updateFinished.isSet());
    a.shutDown();
    a.shutDown();
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"window", "skins"}));
    EXPECT_TRUE(a.events().exitRequested.isSet());
}

TEST_F(GameAppTest, EnabledUpdateCheckIsStoppedAndAwaitedOnShutDown)
{
    store.writeInt("User", "iupdate", 1);
    GameApp& a = makeApp();
    EXPECT_TRUE(a.startUp({"U"}));
    EXPECT_TRUE(a.updateCheck().workerStarted());
    EXPECT_FALSE(a.events().updateFinished.isSet());
    a.shutDown();
    EXPECT_TRUE(a.events().updateFinished.isSet());
}

TEST_F(GameAppTest, AFailedWindowFailsStartUp)
{
    shell.windowOk = false;
    GameApp& a = makeApp();
    EXPECT_FALSE(a.startUp({}));
    app.reset(); // the destructor still shuts down in order
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"window", "skins"}));
}

} // namespace
} // namespace kubrix
