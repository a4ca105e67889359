// The real program objects and main window over an in-memory store, a manual clock, a temporary
// data folder and recording sound and messages.
#pragma once

#include "app/app_context.h"
#include "core/base/clock.h"
#include "core/base/memory_settings_store.h"
#include "platform/gl/device_probe.h"
#include "platform/ui/board_input.h"
#include "platform/ui/main_window.h"
#include "support/fake_url_opener.h"
#include "support/recording_messages.h"
#include "support/recording_services.h"
#include "support/temp_folder.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace kubrix::test {

class AppWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Closing a test's window must not end the test program's event loops.
        QApplication::setQuitOnLastWindowClosed(false);
    }

    void TearDown() override { context.reset(); }

    AppContext& makeContext()
    {
        // The first start of an installation opens the tutorial; tests that want it say so.
        if (!firstRun)
            store.writeInt("Startup", "hst", 1);
        context = std::make_unique<AppContext>(
            AppContextOptions{&store, &clock, data.path(), &sound, &messages,
                              [this] { return probeResult; }, skinInfo, &opener});
        return *context;
    }

    // Starts the program as its main does and returns the window.
    MainWindow& start()
    {
        makeContext();
        EXPECT_TRUE(context->app().startUp({}));
        EXPECT_NE(context->mainWindow(), nullptr);
        // What the window posted while it was shown, its first sound among it, would be the
        // event loop's first work.
        QCoreApplication::sendPostedEvents();
        return *context->mainWindow();
    }

    // The window's first frame comes with the window system's expose; what it posted (the
    // first sound and the music) is done once this returns.
    bool waitForFirstFrame()
    {
        const bool painted = waitFor([&] { return !frame().frameLoop().firstPaintPending(); });
        QCoreApplication::sendPostedEvents();
        return painted;
    }

    Game& game() { return context->app().game(); }
    MainWindow& frame() { return *context->mainWindow(); }

    // The command's action, found by its object name ("actionNew"...).
    QAction* item(const char* name)
    {
        auto* action = frame().findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(action, nullptr) << "no action " << name;
        return action;
    }

    // Chooses the command as the player does; a disabled one does nothing.
    void choose(const char* name)
    {
        if (QAction* entry = item(name))
            entry->trigger();
    }

    // Runs the event loop until the condition holds or the limit passes.
    static bool waitFor(const std::function<bool()>& condition, int limitMs = 3000)
    {
        QElapsedTimer clock;
        clock.start();
        while (!condition()) {
            if (clock.elapsed() > limitMs)
                return false;
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return true;
    }

    MemorySettingsStore store;
    ManualClock clock{100000};
    TempFolder data;
    RecordingSoundPlayer sound;
    RecordingMessages messages;
    FakeUrlOpener opener;
    // The real popup unless a test sets its own before start().
    SkinInfoPresenter* skinInfo = nullptr;
    int probeResult = kDeviceOpenGL;
    bool firstRun = false;
    std::unique_ptr<AppContext> context;
};

} // namespace kubrix::test
