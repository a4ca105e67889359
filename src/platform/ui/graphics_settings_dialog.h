// The "Graphics Settings" dialog: the picture quality traded against drawing speed.
#pragma once

#include <QDialog>

class QSlider;

namespace kubrix {

class Game;
class SettingsStore;

// A slider of three positions, opened at the game's quality. OK makes the position the game's
// quality at once and stores it as "Quality"; Cancel changes nothing.
class GraphicsSettingsDialog final : public QDialog {
    Q_OBJECT

public:
    // The slider's control id, kept as its object name.
    static constexpr int kSliderId = 1010;

    GraphicsSettingsDialog(Game& game, SettingsStore& settings, QWidget* parent = nullptr);

    void accept() override;

private:
    Game& game_;
    SettingsStore& settings_;
    QSlider* slider_;
};

} // namespace kubrix
