// A real HTTP server on 127.0.0.1 for the update check: Python's http.server over a temporary
// folder, or a listener that accepts connections and never answers.
#pragma once

#include "support/temp_folder.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace kubrix::test {

class VersionServer {
public:
    enum class Kind { Serving, Silent };

    explicit VersionServer(Kind kind = Kind::Serving)
    {
        if (kind == Kind::Silent) {
            // Connections complete in the kernel's backlog; nobody ever reads or writes them.
            EXPECT_TRUE(silent_.listen(QHostAddress::LocalHost));
            port_ = silent_.serverPort();
            return;
        }
        process_.start(QStringLiteral("python3"),
                       {"-u", "-m", "http.server", "0", "--bind", "127.0.0.1", "--directory",
                        QString::fromStdString(root_.path().string())});
        const QRegularExpression announced(QStringLiteral("port (\\d+)"));
        while (port_ == 0 && process_.waitForReadyRead(10000)) {
            const auto match = announced.match(QString::fromUtf8(process_.readAll()));
            if (match.hasMatch())
                port_ = match.captured(1).toUShort();
        }
        EXPECT_NE(port_, 0) << "python3 -m http.server did not start";
    }
    ~VersionServer()
    {
        process_.kill();
        process_.waitForFinished(5000);
    }
    VersionServer(const VersionServer&) = delete;
    VersionServer& operator=(const VersionServer&) = delete;

    // What the site serves as its version document; without it the server answers 404.
    void serveVersion(const std::string& text) const
    {
        std::filesystem::create_directories(root_ / "catalog/kubrix");
        root_.write("catalog/kubrix/version.txt", text);
    }
    std::string address() const { return "http://127.0.0.1:" + std::to_string(port_); }

private:
    TempFolder root_;
    QProcess process_;
    QTcpServer silent_;
    quint16 port_ = 0;
};

// A site address where nothing listens: a port that was free a moment ago.
inline std::string addressWithNoServer()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return "http://127.0.0.1:" + std::to_string(probe.serverPort());
}

} // namespace kubrix::test
