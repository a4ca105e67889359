// The update check against a real HTTP server on 127.0.0.1, through libcurl.
#include "core/base/memory_settings_store.h"
#include "core/shell/site_address.h"
#include "platform/net/curl_version_source.h"
#include "support/version_server.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace kubrix::test {
namespace {

using namespace std::chrono_literals;

struct Found {
    std::int32_t mode;
    std::int32_t knownVersion;
};

// One whole run of the check, the window shown at once, against the site.
Found checkAgainst(const std::string& site)
{
    MemorySettingsStore store;
    store.writeInt("User", "iupdate", 1);
    UpdateEvents events;
    CurlVersionSource source(SiteAddress(site).versionDocument());
    UpdateCheck check(events, &source);
    check.start(store);
    check.signalFirstPaint();
    EXPECT_TRUE(events.updateFinished.waitFor(15s));
    check.stop();
    return {check.mode(), check.knownVersion()};
}

TEST(CurlVersionSource, TheSitesAnswerDecidesTheNotice)
{
    struct Case {
        const char* document; // null: the server has none and answers 404
        std::int32_t mode;
        std::int32_t knownVersion;
    };
    for (const Case& each :
         {Case{"1041\n", 2, 1041}, Case{" 1050abc", 2, 1050}, Case{"letters only", 1, 1040},
          Case{"1040", 1, 1040}, Case{nullptr, 1, 1040}}) {
        VersionServer server;
        if (each.document)
            server.serveVersion(each.document);
        // The base address may end in a slash: the document's path stays the same.
        const Found found = checkAgainst(server.address() + "/");
        EXPECT_EQ(found.mode, each.mode) << (each.document ? each.document : "404");
        EXPECT_EQ(found.knownVersion, each.knownVersion);
    }
    const Found nobody = checkAgainst(addressWithNoServer());
    EXPECT_EQ(nobody.mode, 1);
    EXPECT_EQ(nobody.knownVersion, 1040);
}

TEST(CurlVersionSource, KeepsOnlyTheFirst8192Bytes)
{
    VersionServer server;
    server.serveVersion("1077" + std::string(100000, ' '));
    ManualResetEvent exit;
    CurlVersionSource source(SiteAddress(server.address()).versionDocument());
    const std::optional<std::string> document = source.fetchVersionDocument(exit);
    ASSERT_TRUE(document.has_value());
    EXPECT_EQ(document->size(), 8192U);
    EXPECT_EQ(parseVersionNumber(*document), 1077);
}

TEST(CurlVersionSource, ASilentServerNeitherHoldsUpTheExitNorOutlastsTheTimeLimit)
{
    VersionServer server(VersionServer::Kind::Silent);
    const std::string url = SiteAddress(server.address()).versionDocument();
    QElapsedTimer clock;

    // On its own the request gives up at its time limit.
    ManualResetEvent never;
    clock.start();
    EXPECT_FALSE(CurlVersionSource(url, {1000ms, 1500ms}).fetchVersionDocument(never));
    EXPECT_LT(clock.elapsed(), 5000);

    // With the program's own limits, an exit request ends the wait well before them.
    MemorySettingsStore store;
    store.writeInt("User", "iupdate", 1);
    UpdateEvents events;
    CurlVersionSource source(url);
    UpdateCheck check(events, &source);
    check.start(store);
    check.signalFirstPaint();
    EXPECT_FALSE(events.updateFinished.waitFor(500ms)) << "the request should be waiting";
    clock.restart();
    check.stop();
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_EQ(check.mode(), 1);
}

} // namespace
} // namespace kubrix::test
