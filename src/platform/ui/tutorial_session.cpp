// The main window's side of the tutorial.
#include "platform/ui/tutorial_session.h"

#include "core/skin/skin_store.h"
#include "core/tutorial/tutorial_placement.h"
#include "platform/ui/tutorial_window.h"

#include <QScreen>
#include <QWidget>

namespace kubrix {

namespace {

// Qt's right and bottom are inclusive.
ScreenRect screenRectOf(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1};
}

} // namespace

TutorialSession::TutorialSession(QWidget& mainWindow, Parts parts, std::function<void()> closed)
    : mainWindow_(mainWindow), parts_(parts), closed_(std::move(closed))
{
}

TutorialSession::~TutorialSession()
{
    if (window_) {
        window_->disconnect(this);
        delete window_;
    }
}

TutorialWindow* TutorialSession::window() const
{
    return window_.data();
}

void TutorialSession::open()
{
    if (window_)
        return;
    window_ = new TutorialWindow(parts_.game, parts_.viewRotation, parts_.clock,
                                 parts_.skins.currentSkin(), &mainWindow_);
    connect(window_, &QDialog::finished, this, &TutorialSession::windowClosed);
    // At start-up the main window is not on the screen yet: its frame places the tutorial.
    if (mainWindow_.isVisible())
        place();
    else
        QMetaObject::invokeMethod(this, &TutorialSession::place, Qt::QueuedConnection);
}

void TutorialSession::close()
{
    if (window_)
        window_->close();
}

bool TutorialSession::tick()
{
    return window_ && window_->tick();
}

void TutorialSession::place()
{
    if (!window_)
        return;
    const QRect frame = mainWindow_.frameGeometry();
    const QScreen* display = mainWindow_.screen();
    const QRect area = display ? display->availableGeometry() : frame;
    const QSize size = window_->frameGeometry().size();
    const ScreenPoint at = tutorialWindowPosition(screenRectOf(frame), screenRectOf(area),
                                                  size.width(), size.height());
    window_->move(at.x, at.y);
    window_->show();
}

void TutorialSession::windowClosed()
{
    // The window deletes itself later; from now on the tutorial counts as closed.
    window_ = nullptr;
    closed_();
}

} // namespace kubrix
