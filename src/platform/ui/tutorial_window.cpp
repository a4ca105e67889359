// The "Tutorial" window.
#include "platform/ui/tutorial_window.h"

#include "core/base/clock.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

namespace kubrix {

TutorialWindow::TutorialWindow(Game& game, Quaternion& viewRotation, const Clock& clock,
                               const SkinPackage& skin, QWidget* parent)
    : QDialog(parent), clock_(clock), picture_(skin), player_(game, viewRotation, *this)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("Tutorial"));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);

    pictureLabel_ = new QLabel(this);
    pictureLabel_->setObjectName(QString::number(kPictureId));
    pictureLabel_->setFixedSize(TutorialPicture::kSize);
    next_ = new QPushButton(QStringLiteral("Next >>"), this);
    next_->setObjectName(QString::number(kNextId));
    next_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QString::number(kCancelId));
    connect(next_, &QPushButton::clicked, this, &TutorialWindow::nextPressed);
    connect(cancel_, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel_);
    buttons->addWidget(next_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 10, 10);
    layout->addWidget(pictureLabel_);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());

    player_.start(clock_.now());
}

bool TutorialWindow::tick()
{
    return player_.tick(clock_.now());
}

void TutorialWindow::showPage(const TutorialPage& page)
{
    pictureLabel_->setPixmap(picture_.paint(page, devicePixelRatioF()));
    setWindowTitle(QStringLiteral("Tutorial: ") + QString::fromUtf8(page.title));
    next_->setEnabled(false);
}

void TutorialWindow::enableNext()
{
    next_->setEnabled(true);
    next_->setFocus();
}

void TutorialWindow::enterFinishMode()
{
    next_->setText(QStringLiteral("Finish"));
    cancel_->setEnabled(false);
    cancel_->hide();
    enableNext();
}

void TutorialWindow::nextPressed()
{
    if (!player_.next(clock_.now()))
        close();
}

} // namespace kubrix
