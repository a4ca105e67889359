// The About box.
#include "platform/ui/about_box.h"

#include "platform/ui/hyper_link.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace kubrix {

AboutBox::AboutBox(const std::string& siteAddress, UrlOpener& opener, Messages& messages,
                   QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Kubrix"));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::WindowText, Qt::white);
    setPalette(black);
    setAutoFillBackground(true);

    auto* artwork = new QLabel;
    artwork->setObjectName(QStringLiteral("artwork"));
    artwork->setPixmap(QPixmap(QString::fromLatin1(kArtwork)));
    artwork->setAlignment(Qt::AlignCenter);

    auto* link = new HyperLink(QString::fromStdString(siteAddress), opener, messages);
    link->setObjectName(QString::number(kLinkId));
    link->setColours(QColor(kLinkColour), QColor(kVisitedColour), QColor(kHoverColour));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->setCenterButtons(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(artwork);
    layout->addWidget(link, 0, Qt::AlignHCenter);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace kubrix
