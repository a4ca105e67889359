// The five save slots: which file of the data folder fills each, and saving and loading a game
// through them.
#pragma once

#include "core/scene/quaternion.h"

#include <array>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

namespace kubrix {

class Game;

class SaveSlots {
public:
    static constexpr int kSlotCount = 5;

    struct Slot {
        // Empty when no file fills the slot.
        std::filesystem::path file;
        // The stored description of a valid game.
        std::optional<std::string> description;
    };

    // The folder is used by explicit path; the process's working folder plays no part.
    explicit SaveSlots(std::filesystem::path folder);

    // Slots 1..5 at indices 0..4, filled by the files named "KBXSAVEn.SAV" in any mix of case.
    // Of several files for one slot, "KBXSAVEn.SAV" itself wins, then the first by name; an
    // unreadable folder leaves every slot empty.
    std::array<Slot, kSlotCount> scan() const;

    // Writes the running game and the view's rotation into the file that fills the slot (or
    // "KBXSAVEn.SAV"), described with the local time given. False, with the old file left as
    // it was, when the file could not be written.
    bool save(int slot, const Game& game, const Quaternion& rotation, const std::tm& now) const;
    // Restores the slot's game into the game and returns the rotation it was seen from; nothing
    // (and the game untouched) when the slot holds no valid game.
    std::optional<Quaternion> load(int slot, Game& game) const;

private:
    std::filesystem::path fileOf(int slot) const;

    std::filesystem::path folder_;
};

} // namespace kubrix
