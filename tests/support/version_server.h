// Python's http.server on 127.0.0.1 over a temporary folder, as the maker's web site.
#pragma once

#include "support/temp_folder.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>

#include <gtest/gtest.h>

namespace kubrix::test {

class VersionServer {
public:
    VersionServer()
    {
        process_.start("python3", {"-u", "-m", "http.server", "0", "--bind", "127.0.0.1",
                                   "--directory", QString::fromStdString(root_.path().string())});
        const QRegularExpression announced(QStringLiteral("port (\\d+)"));
        while (port_.empty() && process_.waitForReadyRead(10000))
            port_ = announced.match(process_.readAll()).captured(1).toStdString();
        EXPECT_FALSE(port_.empty()) << "python3 -m http.server did not start";
    }
    ~VersionServer() { process_.kill(), process_.waitForFinished(5000); }

    // Without a version document the server answers 404.
    void serveVersion(const std::string& text) const
    {
        std::filesystem::create_directories(root_ / "catalog/kubrix");
        root_.write("catalog/kubrix/version.txt", text);
    }
    std::string address() const { return "http://127.0.0.1:" + port_; }

private:
    TempFolder root_;
    QProcess process_;
    std::string port_;
};

// A server that accepts connections (the kernel completes them) and never answers.
inline std::string listenSilently(QTcpServer& silent)
{
    EXPECT_TRUE(silent.listen(QHostAddress::LocalHost));
    return "http://127.0.0.1:" + std::to_string(silent.serverPort());
}

} // namespace kubrix::test
