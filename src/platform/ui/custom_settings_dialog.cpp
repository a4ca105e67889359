// The "Custom Settings" dialog.
#include "platform/ui/custom_settings_dialog.h"

#include "core/game/game.h"
#include "core/game/levels.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kubrix {

namespace {

QString rangeText(CountRange range)
{
    return QStringLiteral("%1\u2013%2").arg(range.least).arg(range.most);
}

int number(const QLineEdit* box)
{
    return readDialogNumber(box->text().toStdString());
}

} // namespace

CustomSettingsDialog::CustomSettingsDialog(Game& game, QWidget* parent)
    : QDialog(parent), game_(game)
{
    setWindowTitle(QStringLiteral("Custom Settings"));
    const Board& board = game.board();
    auto* form = new QFormLayout;
    height_ = addRow(*form, QStringLiteral("Height"), kHeightId, board.height()).box;
    width_ = addRow(*form, QStringLiteral("Width"), kWidthId, board.width()).box;
    depth_ = addRow(*form, QStringLiteral("Depth"), kDepthId, board.depth()).box;
    const Row mines = addRow(*form, QStringLiteral("Mines"), kMinesId, game.bombCount());
    mines_ = mines.box;
    bombLimits_ = mines.limits;
    for (const QLineEdit* side : {height_, width_, depth_})
        connect(side, &QLineEdit::textChanged, this, &CustomSettingsDialog::showBombLimits);
    showBombLimits();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());
}

CustomSettingsDialog::Row CustomSettingsDialog::addRow(QFormLayout& form, const QString& name,
                                                       int id, int value)
{
    auto* box = new QLineEdit(QString::number(value), this);
    box->setObjectName(QString::number(id));
    // Wide enough for the longest bomb limit, so the row does not move as it changes.
    auto* limits = new QLabel(rangeText({kMaxCustomBombs, kMaxCustomBombs}), this);
    limits->setObjectName(QStringLiteral("limit%1").arg(id));
    limits->setMinimumWidth(limits->sizeHint().width());
    limits->setText(rangeText(kCustomSideRange));
    auto* row = new QHBoxLayout;
    row->addWidget(box);
    row->addWidget(limits);
    form.addRow(name, row);
    return {box, limits};
}

void CustomSettingsDialog::showBombLimits()
{
    bombLimits_->setText(
        rangeText(customBombRange(number(width_), number(height_), number(depth_))));
}

void CustomSettingsDialog::accept()
{
    const BoardSize size =
        clampCustomSize({number(width_), number(height_), number(depth_), number(mines_)});
    game_.chooseGame(kLevelCustom, size.width, size.height, size.depth, size.bombs);
    QDialog::accept();
}

} // namespace kubrix
