// The update check's events, its worker and the version document.
#include "core/base/memory_settings_store.h"
#include "core/shell/update_check.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

namespace kubrix {
namespace {

using namespace std::chrono_literals;

class CountingSource final : public VersionSource {
public:
    explicit CountingSource(std::optional<std::string> document) : document_(std::move(document))
    {
        answer.set();
    }
    std::optional<std::string> fetchVersionDocument(const ManualResetEvent&) override
    {
        ++fetches;
        fetching.set();
        answer.wait();
        return document_;
    }
    std::atomic<int> fetches{0};
    ManualResetEvent fetching;
    // The server answers once this is set; a test may reset it to hold the answer back.
    ManualResetEvent answer;

private:
    std::optional<std::string> document_;
};

TEST(UpdateCheck, DisabledCheckStartsNoWorkerAndIsFinishedAtOnce)
{
    for (const char* mode : {"-1", "0", "junk"}) {
        MemorySettingsStore store;
        store.writeText("User", "iupdate", mode);
        UpdateEvents events;
        CountingSource source("2000");
        UpdateCheck check(events, &source);
        check.start(store);
        EXPECT_FALSE(check.workerStarted()) << mode;
        EXPECT_TRUE(events.updateFinished.isSet());
        check.signalFirstPaint();
        check.stop();
        EXPECT_EQ(source.fetches, 0);
    }
}

TEST(UpdateCheck, WorkerWaitsForTheWindowThenReportsANewerVersionOnce)
{
    MemorySettingsStore store;
    store.writeInt("User", "iupdate", 1);
    UpdateEvents events;
    CountingSource source(" 1041 and some words");
    UpdateCheck check(events, &source);
    check.start(store);
    ASSERT_TRUE(check.workerStarted());
    EXPECT_FALSE(events.updateFinished.waitFor(100ms)) << "no network before the first paint";
    EXPECT_EQ(source.fetches, 0);
    check.signalFirstPaint();
    ASSERT_TRUE(events.updateFinished.waitFor(10s));
    EXPECT_EQ(source.fetches, 1);
    EXPECT_EQ(check.mode(), UpdateCheck::kModeFound);
    EXPECT_EQ(check.knownVersion(), 1041);

    EXPECT_FALSE(check.pollUpdateNotice(true)) << "not while a game is in progress";
    EXPECT_TRUE(check.pollUpdateNotice(false));
    EXPECT_EQ(check.mode(), 1);
    EXPECT_FALSE(check.pollUpdateNotice(false));
    check.stop();
}

TEST(UpdateCheck, ChecksTurnedOffWhileTheServerIsSlowStayOff)
{
    MemorySettingsStore store;
    store.writeInt("User", "iupdate", 1);
    UpdateEvents events;
    CountingSource source("1041");
    source.answer.reset();
    UpdateCheck check(events, &source);
    check.start(store);
    check.signalFirstPaint();
    ASSERT_TRUE(source.fetching.waitFor(10s));
    check.chooseChecks(false, store);
    source.answer.set();
    ASSERT_TRUE(events.updateFinished.waitFor(10s));
    EXPECT_FALSE(check.pollUpdateNotice(false));
    EXPECT_FALSE(check.checksWanted());
    EXPECT_EQ(store.readInt("User", "iupdate", -1), 0);
    check.stop();
}

TEST(UpdateCheck, NothingNewerOrNothingFetchedChangesNothing)
{
    for (const std::optional<std::string>& document :
         {std::optional<std::string>("1040"), std::optional<std::string>("letters"),
          std::optional<std::string>()}) {
        MemorySettingsStore store;
        store.writeInt("User", "iupdate", 1);
        UpdateEvents events;
        CountingSource source(document);
        UpdateCheck check(events, &source);
        check.start(store);
        check.signalFirstPaint();
        ASSERT_TRUE(events.updateFinished.waitFor(10s));
        EXPECT_EQ(check.mode(), 1);
        EXPECT_EQ(check.knownVersion(), 1040);
        EXPECT_FALSE(check.pollUpdateNotice(false));
        check.stop();
    }
}

TEST(UpdateCheck, ExitBeforeTheWindowShowsEndsTheWorkerWithoutNetwork)
{
    MemorySettingsStore store;
    store.writeInt("User", "iupdate", 1);
    UpdateEvents events;
    CountingSource source("9999");
    UpdateCheck check(events, &source);
    check.start(store);
    check.stop();
    EXPECT_TRUE(events.updateFinished.isSet());
    EXPECT_EQ(source.fetches, 0);
}

TEST(UpdateCheck, VersionNumberIsReadAsAtoiReadsIt)
{
    EXPECT_EQ(parseVersionNumber(" 1050abc"), 1050);
    EXPECT_EQ(parseVersionNumber("\n\t+1060\r\n"), 1060);
    EXPECT_EQ(parseVersionNumber("-5"), -5);
    EXPECT_EQ(parseVersionNumber("letters 1050"), 0);
    EXPECT_EQ(parseVersionNumber(""), 0);
    EXPECT_EQ(parseVersionNumber("99999999999999999999"), 2147483647);
}

} // namespace
} // namespace kubrix
