// The "Kubrix High Scores" dialog.
#include "platform/ui/high_scores_dialog.h"

#include "core/game/game.h"
#include "core/game/score_texts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kubrix {

namespace {

constexpr int kNameWidth = 200;

QLabel* boldLabel(const char* text)
{
    auto* label = new QLabel(QString::fromLatin1(text));
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

HighScoresDialog::HighScoresDialog(Game& game, QWidget* parent) : QDialog(parent), game_(game)
{
    static_assert(std::tuple_size_v<decltype(names_)> == Game::kRecordLevels);
    setWindowTitle(QStringLiteral("Kubrix High Scores"));
    setObjectName(QString::number(kDialogId));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->addWidget(boldLabel("Name"), 0, 1);
    QLabel* timeHead = boldLabel("Time");
    timeHead->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(timeHead, 0, 2);
    const std::array<const char*, 3> rows{"Beginner", "Intermediate", "Expert"};
    for (int level = 0; level < Game::kRecordLevels; ++level) {
        const auto at = static_cast<std::size_t>(level);
        grid->addWidget(new QLabel(QString::fromLatin1(rows[at])), level + 1, 0);
        // Names are shown as typed, never as markup.
        names_[at] = new QLabel;
        names_[at]->setObjectName(QString::number(kFirstNameId + level));
        names_[at]->setTextFormat(Qt::PlainText);
        names_[at]->setFixedWidth(kNameWidth);
        grid->addWidget(names_[at], level + 1, 1);
        times_[at] = new QLabel;
        times_[at]->setObjectName(QString::number(kFirstTimeId + level));
        times_[at]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(times_[at], level + 1, 2);
    }

    auto* clear = new QPushButton(QStringLiteral("&Clear"));
    clear->setObjectName(QString::number(kClearId));
    clear->setAutoDefault(false);
    connect(clear, &QPushButton::clicked, this, [this] {
        game_.clearRecords();
        for (int level = 0; level < Game::kRecordLevels; ++level)
            game_.writeRecord(level);
        showRecords();
    });
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QString::number(kOkId));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(clear);
    buttons->addStretch();
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    showRecords();
    setFixedSize(sizeHint());
}

void HighScoresDialog::showRecords()
{
    for (int level = 0; level < Game::kRecordLevels; ++level) {
        const FastestTime& record = game_.record(level);
        const auto at = static_cast<std::size_t>(level);
        // A name may be as long as the player typed it; the dialog keeps its size.
        names_[at]->setText(names_[at]->fontMetrics().elidedText(
            QString::fromStdString(record.name), Qt::ElideRight, kNameWidth));
        times_[at]->setText(QString::fromStdString(recordTimeText(record.seconds)));
    }
}

} // namespace kubrix
