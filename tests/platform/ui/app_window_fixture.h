// The real program objects and main window over an in-memory store, a manual clock, a temporary
// data folder and recording sound and messages.
#pragma once

#include "app/app_context.h"
#include "core/base/clock.h"
#include "core/base/memory_settings_store.h"
#include "platform/gl/device_probe.h"
#include "platform/ui/c_main_frame.h"
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
        context = std::make_unique<AppContext>(AppContextOptions{
            &store, &clock, data.path(), &sound, &messages, [this] { return probeResult; }});
        return *context;
    }

    // Starts the program as its main does and returns the window.
    CMainFrame& start()
    {
        makeContext();
        EXPECT_TRUE(context->app().startUp({}));
        EXPECT_NE(context->mainFrame(), nullptr);
        return *context->mainFrame();
    }

    Game& game() { return context->app().game(); }
    CMainFrame& frame() { return *context->mainFrame(); }

    // The menu item that carries the command id, found through the menu bar.
    QAction* item(int id)
    {
        for (QAction* top : frame().menuBar()->actions()) {
            if (top->menu() == nullptr)
                continue;
            for (QAction* entry : top->menu()->actions())
                if (!entry->isSeparator() && entry->data().toInt() == id)
                    return entry;
        }
        ADD_FAILURE() << "no menu item for command " << id;
        return nullptr;
    }

    // Chooses the item as the player does; a disabled item does nothing.
    void choose(int id)
    {
        if (QAction* entry = item(id))
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
    int probeResult = kDeviceOpenGL;
    std::unique_ptr<AppContext> context;
};

} // namespace kubrix::test
