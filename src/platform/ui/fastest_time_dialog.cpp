// The "Fastest Time" dialog.
#include "platform/ui/fastest_time_dialog.h"

#include "core/game/game.h"
#include "core/game/levels.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kubrix {

FastestTimeDialog::FastestTimeDialog(Game& game, QWidget* parent) : QDialog(parent), game_(game)
{
    setWindowTitle(QStringLiteral("Fastest Time"));
    const std::string_view level = levelName(game.level());
    QString prompt =
        QStringLiteral("You have the fastest time for %s level.\nPlease enter your name");
    prompt.replace(QStringLiteral("%s"),
                   QString::fromUtf8(level.data(), static_cast<qsizetype>(level.size())));
    auto* label = new QLabel(prompt, this);
    label->setObjectName(QString::number(kPromptId));
    label->setTextFormat(Qt::PlainText);

    name_ = new QLineEdit(QStringLiteral("Anonymous"), this);
    name_->setObjectName(QString::number(kNameId));
    name_->selectAll();

    // Only OK: Escape is the one way to leave without storing the time.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(name_);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());
}

void FastestTimeDialog::accept()
{
    game_.setRecord(name_->text().toStdString());
    QDialog::accept();
}

} // namespace kubrix
