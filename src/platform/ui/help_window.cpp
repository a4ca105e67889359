// The help window.
#include "platform/ui/help_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace kubrix {

namespace {

QPushButton* navigation(const char* name, const char* text, QHBoxLayout& row)
{
    auto* button = new QPushButton(QString::fromLatin1(text));
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    row.addWidget(button);
    return button;
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), browser_(new QTextBrowser)
{
    setWindowTitle(QStringLiteral("Kubrix Help"));
    browser_->setObjectName(QStringLiteral("pages"));
    // Every page is ours and in the resources; nothing is fetched from elsewhere.
    browser_->setOpenExternalLinks(false);

    auto* row = new QHBoxLayout;
    QPushButton* contents = navigation("contents", "&Contents", *row);
    QPushButton* back = navigation("back", "< &Back", *row);
    QPushButton* forward = navigation("forward", "&Forward >", *row);
    row->addStretch();
    connect(contents, &QPushButton::clicked, this, &HelpWindow::showContents);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    back->setEnabled(false);
    forward->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(browser_);
    resize(560, 600);
}

void HelpWindow::showContents()
{
    browser_->setSource(QUrl(QString::fromLatin1(kContents)));
    show();
    raise();
    activateWindow();
}

} // namespace kubrix
