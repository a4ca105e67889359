// The hyperlink control under the real pointer, and xdg-open's answers turned into result codes.
#include "platform/ui/hyper_link.h"
#include "platform/ui/xdg_url_opener.h"
#include "support/fake_url_opener.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace kubrix::test {
namespace {

class HyperLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(400, 120);
        link = new HyperLink(QStringLiteral("https://kubrix.example/skins/"), opener, messages,
                             &window);
        link->move(20, 20);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    // The pointer moves for real, so the link hears of it a little later.
    void pointAt(QWidget* widget, QPoint at, bool over)
    {
        QTest::mouseMove(widget, at);
        EXPECT_TRUE(QTest::qWaitFor([&] { return link->hovering() == over; }, 2000));
    }
    void expectLook(QRgb colour, bool underlined)
    {
        EXPECT_EQ(link->textColour().rgb(), colour);
        EXPECT_EQ(link->palette().color(QPalette::WindowText).rgb(), colour);
        EXPECT_EQ(link->font().underline(), underlined);
    }

    QWidget window;
    FakeUrlOpener opener;
    RecordingMessages messages;
    HyperLink* link = nullptr;
};

TEST_F(HyperLinkTest, TurnsRedAndUnderlinedUnderThePointerAndPurpleOnceOpened)
{
    EXPECT_EQ(link->url(), QStringLiteral("https://kubrix.example/skins/"))
        << "the text is the target";
    EXPECT_TRUE(link->toolTip().contains(link->url()));
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(link->size(), link->sizeHint()) << "auto-size fits the text";
    expectLook(HyperLink::kLinkColour, false);

    pointAt(link, link->rect().center(), true);
    expectLook(HyperLink::kHoverColour, true);
    pointAt(&window, {390, 110}, false);
    expectLook(HyperLink::kLinkColour, false);

    QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
    EXPECT_EQ(opener.opened, std::vector<std::string>{"https://kubrix.example/skins/"});
    EXPECT_TRUE(messages.shown.empty());
    pointAt(link, link->rect().center(), true);
    pointAt(&window, {390, 110}, false);
    expectLook(HyperLink::kVisitedColour, false);

    link->setUnderline(HyperLink::Underline::Always);
    expectLook(HyperLink::kVisitedColour, true);
}

TEST_F(HyperLinkTest, AFailedOpenExplainsItsCodeAndLeavesTheLinkUnvisited)
{
    link->setUrl(QStringLiteral("mailto:"));
    link->setLinkText({});
    EXPECT_EQ(link->text(), QString());
    link->setVisited(true);
    const std::pair<int, std::string> cases[] = {
        {26, "A sharing violation occurred. "},
        {7, "Unknown Error (7) occurred."},
        {31, "There is no application associated\nwith the given filename extension."}};
    for (const auto& [code, text] : cases) {
        opener.result = code;
        link->open();
        ASSERT_FALSE(messages.shown.empty());
        EXPECT_EQ(messages.shown.back().text, "Unable to open hyperlink:\n\n" + text);
        EXPECT_EQ(messages.shown.back().caption, "Kubrix");
        EXPECT_FALSE(link->visited());
    }
    EXPECT_EQ(opener.opened.back(), "mailto:");

    const std::size_t opened = opener.opened.size();
    link->setUrl({});
    link->setLinkText(QStringLiteral("/usr/bin/xterm")); // a refused target, shown as it stood
    link->open();
    EXPECT_EQ(opener.opened.size(), opened) << "a link without a target starts nothing";
    EXPECT_EQ(messages.shown.back().text,
              "Unable to open hyperlink:\n\nThe specified file was not found.");
    EXPECT_EQ(openFailureMessage(99), "Unable to open hyperlink:\n\nUnknown Error (99) occurred.");
}

TEST(XdgUrlOpener, MapsXdgOpensExitStatusAndAMissingXdgOpen)
{
    TempFolder bin;
    bin.write("xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > \"$0.target\"\n"
                          "[ \"$(cat \"$0.status\")\" = wait ] && exec sleep 5\n"
                          "exit \"$(cat \"$0.status\")\"\n");
    std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(bin.path().string()) + ":" + path);
    XdgUrlOpener opener;
    const std::pair<const char*, int> cases[] = {
        {"0", UrlOpener::kOpened},   {"2", 2}, {"3", 31}, {"4", 27}, {"1", 1},
        {"wait", UrlOpener::kOpened}};
    for (const auto& [status, code] : cases) {
        bin.write("xdg-open.status", status);
        EXPECT_EQ(opener.openUrl("mailto:ann@example.org"), code) << status;
    }
    std::ifstream target(bin / "xdg-open.target");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(target), {}), "mailto:ann@example.org");
    qputenv("PATH", QByteArray::fromStdString(bin.path().string()));
    std::filesystem::remove(bin / "xdg-open");
    EXPECT_EQ(opener.openUrl("https://kubrix.example/"), 31) << "no xdg-open at all";
    qputenv("PATH", path);
}

} // namespace
} // namespace kubrix::test
