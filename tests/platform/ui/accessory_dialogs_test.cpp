// The accessory commands in the running program: graphics settings, the update check against a
// real server on 127.0.0.1 with its dialogs, the About box and the help window.
#include "core/shell/site_address.h"
#include "platform/ui/about_box.h"
#include "platform/ui/app_window_fixture.h"
#include "platform/ui/help_window.h"
#include "platform/ui/hyper_link.h"
#include "support/modal_answer.h"
#include "support/version_server.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QSlider>
#include <QTest>
#include <QTextBrowser>

namespace kubrix::test {
namespace {

void press(QWidget& dialog, QDialogButtonBox::ButtonRole role)
{
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    for (QAbstractButton* button : buttons->buttons())
        if (buttons->buttonRole(button) == role)
            button->click();
}

template <typename Control> Control& control(QWidget& dialog, int id)
{
    auto* found = dialog.findChild<Control*>(QString::number(id));
    EXPECT_NE(found, nullptr) << id;
    return *found;
}

class AccessoryTest : public AppWindowTest {
protected:
    void TearDown() override
    {
        AppWindowTest::TearDown();
        qunsetenv(SiteAddress::kEnvironmentVariable);
    }
    // Opens the quality dialog, moves the slider to position (or leaves it), answers it.
    void chooseQuality(std::optional<int> position, QDialogButtonBox::ButtonRole answer)
    {
        ModalAnswer reply([&](QWidget& dialog) {
            if (position)
                control<QSlider>(dialog, 1010).setValue(*position);
            press(dialog, answer);
        });
        choose("actionPreferences");
        EXPECT_TRUE(reply.answered());
    }
};

TEST_F(AccessoryTest, QualityOkRewritesCancelKeepsAndTheValueLastsToTheNextStart)
{
    start();
    chooseQuality(std::nullopt, QDialogButtonBox::AcceptRole);
    EXPECT_EQ(store.readInt("Startup", "Quality", -5), 1) << "OK without a move rewrites 1";
    chooseQuality(0, QDialogButtonBox::RejectRole);
    EXPECT_EQ(game().quality(), 1);
    EXPECT_EQ(store.readInt("Startup", "Quality", -5), 1);
    chooseQuality(2, QDialogButtonBox::AcceptRole);
    EXPECT_EQ(game().quality(), 2);
    context.reset();
    start();
    EXPECT_EQ(game().quality(), 2);
}

TEST_F(AccessoryTest, ANewerVersionFoundDuringAGameIsAnnouncedWhenItEndsAndThenKnown)
{
    VersionServer server;
    server.serveVersion("1041\n");
    qputenv(SiteAddress::kEnvironmentVariable, QByteArray::fromStdString(server.address()));
    store.writeInt("User", "iupdate", 1);
    start();
    choose("actionExpert");
    ASSERT_EQ(game().expose(0), 1);
    UpdateCheck& check = context->app().updateCheck();
    ASSERT_TRUE(waitFor([&] { return check.mode() == UpdateCheck::kModeFound; }, 15000));
    std::string link;
    ModalAnswer notice([&](QWidget& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Update Detected for Kubrix"));
        link = control<HyperLink>(dialog, 1013).url().toStdString();
        auto& wanted = control<QCheckBox>(dialog, 1038);
        EXPECT_TRUE(wanted.isChecked());
        wanted.setChecked(false);
        press(dialog, QDialogButtonBox::AcceptRole);
    });
    waitFor([] { return false; }, 700);
    EXPECT_FALSE(notice.answered()) << "no notice while the game runs";
    int bomb = 0;
    while (game().board().cube(bomb).bomb == 0)
        ++bomb;
    game().expose(bomb);
    EXPECT_TRUE(waitFor([&] { return notice.answered(); }));
    EXPECT_EQ(link, server.address() + "/catalog/kubrix");
    EXPECT_EQ(store.readInt("User", "iupdatev", 0), 1041);
    EXPECT_EQ(store.readInt("User", "iupdate", 1), 0) << "the box was unchecked";
}

TEST_F(AccessoryTest, ANeverConfiguredCheckStartsNothingAndOffersItselfChecked)
{
    start();
    EXPECT_FALSE(context->app().updateCheck().workerStarted());
    for (const auto role : {QDialogButtonBox::RejectRole, QDialogButtonBox::AcceptRole}) {
        ModalAnswer reply([&](QWidget& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Configure Auto-Update for Kubrix"));
            EXPECT_TRUE(control<QCheckBox>(dialog, 1038).isChecked());
            press(dialog, role);
        });
        choose("actionAutomaticUpdates");
        EXPECT_TRUE(reply.answered());
        EXPECT_EQ(store.readInt("User", "iupdate", -7),
                  role == QDialogButtonBox::AcceptRole ? 1 : -7);
    }
}

TEST_F(AccessoryTest, AboutShowsTheArtworkAndTheSiteInLightColours)
{
    qputenv(SiteAddress::kEnvironmentVariable, "http://127.0.0.1:8123/");
    start();
    ModalAnswer reply([&](QWidget& dialog) {
        EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(Qt::black));
        EXPECT_EQ(dialog.findChild<QLabel*>("artwork")->pixmap().size(), QSize(360, 112));
        auto& link = control<HyperLink>(dialog, 1013);
        link.open();
        EXPECT_EQ(link.textColour(), QColor(AboutBox::kVisitedColour));
        press(dialog, QDialogButtonBox::AcceptRole);
    });
    choose("actionAbout");
    EXPECT_TRUE(reply.answered());
    EXPECT_EQ(opener.opened, std::vector<std::string>{"http://127.0.0.1:8123"});
}

TEST_F(AccessoryTest, F1OpensTheContentsAndEveryPageItLinksTo)
{
    start();
    frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    QTest::keyClick(&frame(), Qt::Key_F1);
    ASSERT_NE(frame().accessories().helpWindow(), nullptr);
    QTextBrowser& pages = *frame().accessories().helpWindow()->browser();
    EXPECT_TRUE(pages.isVisible());
    EXPECT_EQ(pages.documentTitle(), QStringLiteral("Kubrix Help"));
    const QStringList links = pages.toHtml().split(QStringLiteral("href=\""));
    ASSERT_GE(links.size(), 9);
    for (const QString& link : links.mid(1)) {
        pages.setSource(QUrl(QStringLiteral("qrc:/help/") + link.section(QLatin1Char('"'), 0, 0)));
        EXPECT_FALSE(pages.documentTitle().isEmpty()) << link.left(20).toStdString();
    }
}

} // namespace
} // namespace kubrix::test
