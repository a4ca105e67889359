// The skin manager dialog.
#include "platform/ui/skin_manager_dialog.h"

#include "platform/ui/hyper_link.h"

#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kubrix {

namespace {

QPushButton* makeButton(const char* name, const char* text, QBoxLayout& layout)
{
    auto* button = new QPushButton(QString::fromLatin1(text));
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    layout.addWidget(button);
    return button;
}

} // namespace

SkinManagerDialog::SkinManagerDialog(SkinManager& manager, UrlOpener& opener, Messages& messages,
                                     QWidget* parent)
    : QDialog(parent), manager_(manager)
{
    setWindowTitle(QStringLiteral("Kubrix Skin Manager"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Get new skins from the Kubrix website!")));
    auto* page = new HyperLink(QString::fromLatin1(kSkinPage), opener, messages);
    page->setObjectName(QStringLiteral("skinPage"));
    layout->addWidget(page);
    layout->addWidget(new QLabel(
        QStringLiteral("Use this window to manage your list of installed Kubrix skins.")));

    auto* installed = new QGroupBox(QStringLiteral("Installed Skins"));
    auto* group = new QHBoxLayout(installed);
    list_ = new QListWidget;
    list_->setObjectName(QStringLiteral("skinList"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    group->addWidget(list_);
    auto* side = new QVBoxLayout;
    connect(makeButton("import", "&Import...", *side), &QPushButton::clicked, this,
            &SkinManagerDialog::importScript);
    remove_ = makeButton("remove", "&Remove", *side);
    connect(remove_, &QPushButton::clicked, this, &SkinManagerDialog::removeSelection);
    side->addStretch();
    group->addLayout(side);
    layout->addWidget(installed);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton* ok = makeButton("ok", "OK", *buttons);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &SkinManagerDialog::accept);
    connect(makeButton("cancel", "Cancel", *buttons), &QPushButton::clicked, this,
            &SkinManagerDialog::reject);
    apply_ = makeButton("apply", "&Apply", *buttons);
    connect(apply_, &QPushButton::clicked, this, &SkinManagerDialog::applySelection);
    layout->addLayout(buttons);

    connect(list_, &QListWidget::itemSelectionChanged, this, &SkinManagerDialog::updateButtons);
    fillList();
}

void SkinManagerDialog::fillList()
{
    const SkinEntry* selected = selection();
    const std::string remembered = selected ? selected->fileName : std::string();
    entries_ = manager_.installedSkins();
    const QSignalBlocker quiet(list_);
    list_->clear();
    for (const SkinEntry& entry : entries_)
        list_->addItem(QString::fromStdString(entry.skinName));
    const std::ptrdiff_t again = SkinManager::find(entries_, remembered);
    if (again >= 0)
        list_->setCurrentRow(static_cast<int>(again));
    updateButtons();
}

void SkinManagerDialog::updateButtons()
{
    const bool any = selection() != nullptr;
    remove_->setEnabled(any);
    apply_->setEnabled(any);
}

const SkinEntry* SkinManagerDialog::selection() const
{
    const QList<QListWidgetItem*> chosen = list_->selectedItems();
    if (chosen.isEmpty())
        return nullptr;
    const int row = list_->row(chosen.front());
    return row >= 0 && static_cast<std::size_t>(row) < entries_.size()
               ? &entries_[static_cast<std::size_t>(row)]
               : nullptr;
}

void SkinManagerDialog::applySelection()
{
    if (const SkinEntry* chosen = selection())
        manager_.apply(*chosen);
}

void SkinManagerDialog::accept()
{
    if (const SkinEntry* chosen = selection(); chosen && manager_.differsFromCurrent(*chosen))
        manager_.apply(*chosen);
    QDialog::accept();
}

void SkinManagerDialog::removeSelection()
{
    const SkinEntry* chosen = selection();
    if (chosen && manager_.remove(*chosen))
        fillList();
}

void SkinManagerDialog::importScript()
{
    QFileDialog chooser(this, QStringLiteral("Import Skin Script"), QDir::homePath());
    chooser.setObjectName(QStringLiteral("importScript"));
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    chooser.setFileMode(QFileDialog::ExistingFile);
    chooser.setNameFilters(
        {QStringLiteral("Kubrix Skin Scripts (*.txt)"), QStringLiteral("All Files (*)")});
    chooser.setDefaultSuffix(QStringLiteral("txt"));
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return;
    manager_.import(chooser.selectedFiles().constFirst().toStdString());
    fillList();
    // Closed as the player would close it: the import has applied all there is to apply.
    reject();
}

} // namespace kubrix
