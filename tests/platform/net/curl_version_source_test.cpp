// The update check against a real HTTP server on 127.0.0.1, through libcurl.
#include "core/base/memory_settings_store.h"
#include "core/shell/site_address.h"
#include "platform/net/curl_version_source.h"
#include "support/version_server.h"

#include <QElapsedTimer>

namespace kubrix::test {
namespace {

using namespace std::chrono_literals;

// One run of the check against the site, the window shown at once: the mode and known version
// it ends with.
std::pair<int, int> checkAgainst(const std::string& site)
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
    using Found = std::pair<int, int>;
    // A null document: the server has none and answers 404.
    for (const auto& [document, found] : {std::pair{"1041\n", Found{2, 1041}},
                                          {" 1050abc", Found{2, 1050}},
                                          {"letters only", Found{1, 1040}},
                                          {"1040", Found{1, 1040}},
                                          {nullptr, Found{1, 1040}}}) {
        VersionServer server;
        if (document)
            server.serveVersion(document);
        // A base address ending in a slash names the same document.
        EXPECT_EQ(checkAgainst(server.address() + "/"), found) << (document ? document : "404");
    }
    QTcpServer closed;
    const std::string nobody = listenSilently(closed);
    closed.close();
    EXPECT_EQ(checkAgainst(nobody), (Found{1, 1040}));

    VersionServer server;
    server.serveVersion("1077" + std::string(100000, ' '));
    const auto kept = CurlVersionSource(SiteAddress(server.address()).versionDocument())
                          .fetchVersionDocument(ManualResetEvent());
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->size(), 8192U) << "only the first 8192 bytes are read";
}

TEST(CurlVersionSource, ASilentServerNeitherHoldsUpTheExitNorOutlastsTheTimeLimit)
{
    QTcpServer silent;
    const std::string url = SiteAddress(listenSilently(silent)).versionDocument();
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(CurlVersionSource(url, {1000ms, 1500ms}).fetchVersionDocument(ManualResetEvent()));
    EXPECT_LT(clock.elapsed(), 5000) << "on its own the request gives up at its time limit";

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
