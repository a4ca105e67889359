// The "Custom Settings" dialog.
#include "platform/ui/custom_settings_dialog.h"

#include "core/game/game.h"
#include "core/game/levels.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kubrix {

CustomSettingsDialog::CustomSettingsDialog(Game& game, QWidget* parent)
    : QDialog(parent), game_(game)
{
    setWindowTitle(QStringLiteral("Custom Settings"));
    const Board& board = game.board();
    height_ = addBox(kHeightId, board.height());
    width_ = addBox(kWidthId, board.width());
    depth_ = addBox(kDepthId, board.depth());
    mines_ = addBox(kMinesId, game.bombCount());

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Height"), height_);
    form->addRow(QStringLiteral("Width"), width_);
    form->addRow(QStringLiteral("Depth"), depth_);
    form->addRow(QStringLiteral("Mines"), mines_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());
}

QLineEdit* CustomSettingsDialog::addBox(int id, int value)
{
    auto* box = new QLineEdit(QString::number(value), this);
    box->setObjectName(QString::number(id));
    return box;
}

void CustomSettingsDialog::accept()
{
    const auto number = [](const QLineEdit* box) {
        return readDialogNumber(box->text().toStdString());
    };
    const BoardSize size =
        clampCustomSize({number(width_), number(height_), number(depth_), number(mines_)});
    game_.newGame(kLevelCustom, size.width, size.height, size.depth, size.bombs);
    QDialog::accept();
}

} // namespace kubrix
