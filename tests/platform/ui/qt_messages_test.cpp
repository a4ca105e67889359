// Tests of the QMessageBox seam, driven by clicking the real box.
#include "platform/ui/qt_messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <ostream>

// Lets a failed comparison show the text rather than the bytes of the object.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace kubrix {
namespace {

// Waits for the next message box to come up, notes what it shows and clicks one of its
// buttons. Gives up after a few seconds by closing whatever modal window is up, so that a box
// that never appears or cannot be answered fails the test instead of hanging it.
class BoxAnswerer {
public:
    explicit BoxAnswerer(QMessageBox::StandardButton choice) : choice_(choice)
    {
        elapsed_.start();
        QTimer::singleShot(0, &context_, [this] { poll(); });
    }

    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::TextFormat format = Qt::AutoText;
    bool answered = false;
    bool hasNo = false;

private:
    void poll()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr && box->isVisible() && box->button(choice_) != nullptr) {
            text = box->text();
            caption = box->windowTitle();
            icon = box->icon();
            format = box->textFormat();
            hasNo = box->button(QMessageBox::No) != nullptr;
            answered = true;
            box->button(choice_)->click();
        } else if (elapsed_.elapsed() > 5000) {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        } else {
            QTimer::singleShot(10, &context_, [this] { poll(); });
        }
    }

    QMessageBox::StandardButton choice_;
    QElapsedTimer elapsed_;
    // Cancels a pending poll if the answerer goes away first.
    QObject context_;
};

TEST(QtMessages, ShowsTheTextAndReturnsTheClickedButton)
{
    ASSERT_NE(qApp, nullptr);
    QtMessages messages;
    {
        BoxAnswerer yes(QMessageBox::Yes);
        EXPECT_EQ(messages.show("Really delete the saved game?", "Load/Save Game",
                                MessageIcon::Question, MessageButtons::YesNo),
                  MessageAnswer::Yes);
        ASSERT_TRUE(yes.answered);
        EXPECT_EQ(yes.text, "Really delete the saved game?");
        EXPECT_EQ(yes.caption, "Load/Save Game");
        EXPECT_EQ(yes.icon, QMessageBox::Question);
    }
    {
        BoxAnswerer no(QMessageBox::No);
        EXPECT_EQ(messages.show("Skin <b>Night</b> is in use.", "Skins – Zoë", MessageIcon::Warning,
                                MessageButtons::YesNo),
                  MessageAnswer::No);
        ASSERT_TRUE(no.answered);
        EXPECT_EQ(no.text, "Skin <b>Night</b> is in use.");
        EXPECT_EQ(no.format, Qt::PlainText);
        EXPECT_EQ(no.caption, "Skins – Zoë");
        EXPECT_EQ(no.icon, QMessageBox::Warning);
    }
    {
        BoxAnswerer ok(QMessageBox::Ok);
        EXPECT_EQ(messages.show("Error writing to save game file.", "Save Game", MessageIcon::Error,
                                MessageButtons::Ok),
                  MessageAnswer::Ok);
        ASSERT_TRUE(ok.answered);
        EXPECT_EQ(ok.text, "Error writing to save game file.");
        EXPECT_EQ(ok.icon, QMessageBox::Critical);
        EXPECT_FALSE(ok.hasNo);
    }
}

} // namespace
} // namespace kubrix
