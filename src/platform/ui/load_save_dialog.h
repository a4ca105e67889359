// The "Load Game" dialog (CDlgLoadSave): five save slots that a click saves into or loads from.
#pragma once

#include "core/shell/save_slots.h"

#include <QDialog>

#include <array>
#include <functional>

class QPushButton;

namespace kubrix {

class Game;
class Messages;

// A click on a slot saves or loads at once and the dialog stays open; OK and Cancel only close
// it. In load mode only slots holding a valid game can be clicked; in save mode a valid game
// is overwritten only when the player agrees.
class LoadSaveDialog final : public QDialog {
    Q_OBJECT

public:
    enum class Mode { Load, Save };

    // Slots 1..5 are the buttons with these ids, kept as their object names.
    static constexpr int kFirstSlotId = 1007;
    static constexpr int kOkId = 1;
    static constexpr int kCancelId = 2;
    static constexpr const char* kEmptyText = "Empty Save Slot";

    struct Parts {
        const SaveSlots& saveSlots;
        Game& game;
        Messages& messages;
        // The view's rotation, saved with the game.
        const Quaternion& rotation;
        // A game was loaded; it was seen from this rotation.
        std::function<void(const Quaternion&)> loaded;
    };

    LoadSaveDialog(Mode mode, Parts parts, QWidget* parent = nullptr);

private:
    // Captions from the descriptions; in load mode only valid slots are enabled.
    void fill();
    void slotClicked(int slot);

    Mode mode_;
    Parts parts_;
    std::array<QPushButton*, SaveSlots::kSlotCount> buttons_{};
    std::array<bool, SaveSlots::kSlotCount> valid_{};
};

} // namespace kubrix
