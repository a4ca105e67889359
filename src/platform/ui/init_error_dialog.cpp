// The "Kubrix Initialisation Error" dialog.
#include "platform/ui/init_error_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kubrix {

InitErrorDialog::InitErrorDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Kubrix Initialisation Error"));
    auto* text = new QLabel(
        QStringLiteral(
            "Kubrix was unable to initialise a suitable graphics device driver.  This may be due "
            "to a problem with the current display settings, or you may be required to install a "
            "suitable driver on the system.  Please refer to the help file for more details."),
        this);
    text->setObjectName(QStringLiteral("message"));
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setMinimumWidth(360);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
}

} // namespace kubrix
