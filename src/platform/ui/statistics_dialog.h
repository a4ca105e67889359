// The "Kubrix Statistics" dialog: the player's lifetime statistics, and Reset.
#pragma once

#include <QDialog>

#include <array>

class QLabel;

namespace kubrix {

class Clock;
class Statistics;

// Reset zeroes the statistics in memory without asking; the next save writes the zeros.
// Closing changes nothing.
class StatisticsDialog final : public QDialog {
    Q_OBJECT

public:
    static constexpr int kDialogId = 184;
    // The values' ids, kept as their object names: games played, games won, longest winning and
    // losing streaks, current streak, longest game, total time, average game time.
    static constexpr int kFirstValueId = 1029;
    static constexpr int kValueCount = 8;
    static constexpr int kResetId = 1037;
    static constexpr int kCloseId = 1;

    StatisticsDialog(Statistics& statistics, const Clock& clock, QWidget* parent = nullptr);

private:
    void showValues();

    Statistics& statistics_;
    const Clock& clock_;
    std::array<QLabel*, kValueCount> values_{};
};

} // namespace kubrix
