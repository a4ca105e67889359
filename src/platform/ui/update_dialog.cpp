// The two update dialogs.
#include "platform/ui/update_dialog.h"

#include "core/shell/update_check.h"
#include "platform/ui/hyper_link.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kubrix {

namespace {

constexpr int kMinimumTextWidth = 400;

// Wrapped to the width, and tall enough for every line it wraps into.
QLabel* paragraph(const char* text, int width)
{
    auto* label = new QLabel(QString::fromLatin1(text));
    label->setWordWrap(true);
    label->setFixedWidth(width);
    label->setMinimumHeight(label->heightForWidth(width));
    return label;
}

} // namespace

UpdateDialog::UpdateDialog(Kind kind, Services services, const std::string& productPage,
                           QWidget* parent)
    : QDialog(parent), services_(services), wanted_(new QCheckBox)
{
    const bool notice = kind == Kind::Notice;
    setWindowTitle(notice ? QStringLiteral("Update Detected for Kubrix")
                          : QStringLiteral("Configure Auto-Update for Kubrix"));
    wanted_->setObjectName(QString::number(kCheckBoxId));
    wanted_->setText(
        notice ? QStringLiteral("I want Kubrix to continue to periodically check for new "
                                "version downloads.")
               : QStringLiteral("Yes, I want Kubrix to continue to periodically check for new "
                                "version downloads."));
    wanted_->setChecked(services.check.checksWanted());
    auto* link =
        new HyperLink(QString::fromStdString(productPage), services.opener, services.messages);
    link->setObjectName(QString::number(kLinkId));

    const int width = std::max(kMinimumTextWidth, wanted_->sizeHint().width());
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (notice) {
        layout->addWidget(paragraph(
            "An update to Kubrix is available for download.  For more information, click on "
            "the link below to be taken to the Kubrix website.",
            width));
        layout->addWidget(link, 0, Qt::AlignHCenter);
        layout->addWidget(wanted_);
    } else {
        layout->addWidget(paragraph(
            "Kubrix can find out when a new version is available for download from its maker. "
            "The box below turns this on: Kubrix then asks the Kubrix website once each time "
            "it starts.",
            width));
        layout->addWidget(wanted_);
        layout->addWidget(paragraph(
            "You can also check for new versions manually by visiting the website:", width));
        layout->addWidget(link, 0, Qt::AlignHCenter);
    }
    auto* buttons = new QDialogButtonBox;
    if (notice) {
        buttons->addButton(QStringLiteral("&Close"), QDialogButtonBox::AcceptRole);
    } else {
        buttons->setStandardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void UpdateDialog::accept()
{
    services_.check.chooseChecks(wanted_->isChecked(), services_.settings);
    QDialog::accept();
}

} // namespace kubrix
