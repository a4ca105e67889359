// The "Kubrix Statistics" dialog.
#include "platform/ui/statistics_dialog.h"

#include "core/base/clock.h"
#include "core/game/score_texts.h"
#include "core/game/statistics.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kubrix {

namespace {

constexpr std::array<const char*, StatisticsDialog::kValueCount> kLabels{
    "Number of Games Played",    "Number of Games Won", "Longest Winning Streak",
    "Longest Losing Streak",     "Current Streak",      "Longest Finished Game",
    "Total Time Playing Kubrix", "Average Game Time"};

} // namespace

StatisticsDialog::StatisticsDialog(Statistics& statistics, const Clock& clock, QWidget* parent)
    : QDialog(parent), statistics_(statistics), clock_(clock)
{
    setWindowTitle(QStringLiteral("Kubrix Statistics"));
    setObjectName(QString::number(kDialogId));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    for (int row = 0; row < kValueCount; ++row) {
        grid->addWidget(new QLabel(QString::fromLatin1(kLabels[static_cast<std::size_t>(row)])),
                        row, 0);
        auto* value = new QLabel;
        value->setObjectName(QString::number(kFirstValueId + row));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(90);
        grid->addWidget(value, row, 2);
        values_[static_cast<std::size_t>(row)] = value;
    }
    auto* separator = new QFrame;
    separator->setFrameShape(QFrame::VLine);
    separator->setFrameShadow(QFrame::Sunken);
    grid->addWidget(separator, 0, 1, kValueCount, 1);

    auto* reset = new QPushButton(QStringLiteral("&Reset"));
    reset->setObjectName(QString::number(kResetId));
    reset->setAutoDefault(false);
    connect(reset, &QPushButton::clicked, this, [this] {
        statistics_.reset();
        showValues();
    });
    auto* close = new QPushButton(QStringLiteral("C&lose"));
    close->setObjectName(QString::number(kCloseId));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(reset);
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    showValues();
    setFixedSize(sizeHint());
}

void StatisticsDialog::showValues()
{
    const Statistics& s = statistics_;
    const std::int32_t total = s.runningTotalSeconds(clock_.now());
    const std::array<std::string, kValueCount> texts{
        std::to_string(s.gamesPlayed()),
        std::to_string(s.gamesWon()),
        std::to_string(s.longestWinStreak()),
        std::to_string(s.longestLossStreak()),
        streakText(s.currentStreak()),
        durationText(s.longestGameSeconds()),
        durationText(total),
        durationText(averageGameSeconds(total, s.gamesPlayed()))};
    for (std::size_t i = 0; i < texts.size(); ++i)
        values_[i]->setText(QString::fromStdString(texts[i]));
}

} // namespace kubrix
