// The "Load Game" dialog.
#include "platform/ui/load_save_dialog.h"

#include "core/base/messages.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <ctime>

namespace kubrix {

namespace {

std::tm localNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (const std::tm* converted = std::localtime(&now))
        local = *converted;
    return local;
}

} // namespace

LoadSaveDialog::LoadSaveDialog(Mode mode, Parts parts, QWidget* parent)
    : QDialog(parent), mode_(mode), parts_(std::move(parts))
{
    setWindowTitle(mode == Mode::Load ? QStringLiteral("Load Game") : QStringLiteral("Save Game"));
    auto* layout = new QVBoxLayout(this);
    for (int slot = 1; slot <= SaveSlots::kSlotCount; ++slot) {
        auto* button = new QPushButton(this);
        button->setObjectName(QString::number(kFirstSlotId + slot - 1));
        button->setStyleSheet(QStringLiteral("text-align: left; padding: 6px 10px;"));
        button->setAutoDefault(false);
        button->setMinimumWidth(280);
        connect(button, &QPushButton::clicked, this, [this, slot] { slotClicked(slot); });
        layout->addWidget(button);
        buttons_[static_cast<std::size_t>(slot - 1)] = button;
    }
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    box->button(QDialogButtonBox::Ok)->setObjectName(QString::number(kOkId));
    box->button(QDialogButtonBox::Cancel)->setObjectName(QString::number(kCancelId));
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addSpacing(6);
    layout->addWidget(box);
    fill();
    setFixedSize(sizeHint());
}

void LoadSaveDialog::fill()
{
    const auto found = parts_.saveSlots.scan();
    for (std::size_t i = 0; i < found.size(); ++i) {
        const std::optional<std::string>& description = found[i].description;
        valid_[i] = description.has_value();
        // A '&' in a description is text, not a shortcut.
        buttons_[i]->setText(
            valid_[i] ? QString::fromStdString(*description).replace(u'&', QStringLiteral("&&"))
                      : QString::fromLatin1(kEmptyText));
        buttons_[i]->setEnabled(mode_ == Mode::Save || valid_[i]);
    }
}

void LoadSaveDialog::slotClicked(int slot)
{
    if (mode_ == Mode::Load) {
        if (const std::optional<Quaternion> rotation = parts_.saveSlots.load(slot, parts_.game))
            parts_.loaded(*rotation);
        return;
    }
    if (valid_[static_cast<std::size_t>(slot - 1)] &&
        parts_.messages.show("Overwrite the existing saved game?", "Save Game",
                             MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    if (!parts_.saveSlots.save(slot, parts_.game, parts_.rotation, localNow())) {
        parts_.messages.show(
            "Error writing to save game file. Check the disk is not write protected.", "Save Game",
            MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    fill();
}

} // namespace kubrix
