// The "Custom Settings" dialog: the size and bomb count of a custom board.
#pragma once

#include <QDialog>

class QFormLayout;
class QLabel;
class QLineEdit;

namespace kubrix {

class Game;

// Shows the current board's size and bomb count, each box with the values it allows beside
// it; the bombs' limit follows the sides as they are typed. OK starts a custom game with the
// values read and limited as the level rules say. Cancel changes nothing.
class CustomSettingsDialog final : public QDialog {
    Q_OBJECT

public:
    // Control ids, kept as the edit boxes' object names; each box's limits are the label
    // named "limit" and the id.
    static constexpr int kHeightId = 1002;
    static constexpr int kWidthId = 1003;
    static constexpr int kDepthId = 1004;
    static constexpr int kMinesId = 1005;

    explicit CustomSettingsDialog(Game& game, QWidget* parent = nullptr);

    void accept() override;

private:
    struct Row {
        QLineEdit* box;
        QLabel* limits;
    };
    Row addRow(QFormLayout& form, const QString& name, int id, int value);
    void showBombLimits();

    Game& game_;
    QLineEdit* height_;
    QLineEdit* width_;
    QLineEdit* depth_;
    QLineEdit* mines_;
    QLabel* bombLimits_;
};

} // namespace kubrix
