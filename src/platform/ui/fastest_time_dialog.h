// The "Fastest Time" dialog: asks the holder of a new fastest time for a name.
#pragma once

#include <QDialog>

class QLineEdit;

namespace kubrix {

class Game;

// OK stores the name as typed (empty allowed) with the game's time; Escape stores nothing.
class FastestTimeDialog final : public QDialog {
    Q_OBJECT

public:
    static constexpr int kPromptId = 1001;
    static constexpr int kNameId = 1002;

    explicit FastestTimeDialog(Game& game, QWidget* parent = nullptr);

    void accept() override;

private:
    Game& game_;
    QLineEdit* name_;
};

} // namespace kubrix
