// Answers the next modal dialog from inside its event loop, with a time limit.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace kubrix::test {

// Create one before the call that opens a modal dialog. The answer runs on the dialog once it
// is the active modal widget; it is expected to close the dialog (unless leaveOpen is set, for
// a dialog that closes itself). A dialog that is still open after the limit is closed and the
// test fails, so a missing answer never hangs the run. Scoped: it stops watching when it ends.
class ModalAnswer {
public:
    using Answer = std::function<void(QWidget& dialog)>;

    explicit ModalAnswer(Answer answer, int limitMs = 5000, bool leaveOpen = false)
        : answer_(std::move(answer)), limitMs_(limitMs), leaveOpen_(leaveOpen)
    {
        clock_.start();
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }
    ~ModalAnswer() { timer_.stop(); }
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;

    bool answered() const { return answered_; }
    // How long after its creation the answered dialog was seen closed.
    qint64 closedAfterMs() const { return closedAfterMs_; }

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!answered_) {
            if (modal == nullptr)
                return;
            answered_ = true;
            dialog_ = modal;
            answer_(*modal);
            if (!leaveOpen_)
                return;
        }
        if (modal != dialog_ || !dialog_->isVisible()) {
            closedAfterMs_ = clock_.elapsed();
            timer_.stop();
            return;
        }
        if (clock_.elapsed() > limitMs_) {
            ADD_FAILURE() << "the dialog \"" << modal->windowTitle().toStdString()
                          << "\" was still open after " << limitMs_ << " ms";
            if (auto* box = qobject_cast<QDialog*>(modal))
                box->reject();
            else
                modal->close();
            timer_.stop();
        }
    }

    Answer answer_;
    int limitMs_;
    bool leaveOpen_;
    QTimer timer_;
    QElapsedTimer clock_;
    bool answered_ = false;
    QWidget* dialog_ = nullptr;
    qint64 closedAfterMs_ = -1;
};

} // namespace kubrix::test
