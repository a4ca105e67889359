// The "Kubrix High Scores" dialog: the fastest time of each standard level, and Clear.
#pragma once

#include <QDialog>

#include <array>

class QLabel;

namespace kubrix {

class Game;

// Clear empties all three records without asking and writes them at once.
class HighScoresDialog final : public QDialog {
    Q_OBJECT

public:
    static constexpr int kDialogId = 130;
    // Levels 0..2: the holders' names are 1001..1003, their times 1004..1006, kept as the
    // object names.
    static constexpr int kFirstNameId = 1001;
    static constexpr int kFirstTimeId = 1004;
    static constexpr int kClearId = 1007;
    static constexpr int kOkId = 1;

    explicit HighScoresDialog(Game& game, QWidget* parent = nullptr);

private:
    void showRecords();

    Game& game_;
    std::array<QLabel*, 3> names_{};
    std::array<QLabel*, 3> times_{};
};

} // namespace kubrix
