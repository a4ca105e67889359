// The save slots: which file of the folder fills each.
#include "core/formats/saved_game.h"
#include "core/shell/save_slots.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace kubrix::test {
namespace {

TEST(SaveSlots, NamesFillSlotsWhateverTheirCase)
{
    const std::vector<std::pair<const char*, int>> names{
        {"KBXSAVE1.SAV", 1}, {"kbxsave3.sav", 3}, {"KbxSave5.Sav", 5},  {"KBXSAVE6.SAV", 0},
        {"KBXSAVE0.SAV", 0}, {"KBXSAVEX.SAV", 0}, {"KBXSAVE1.SAVE", 0}, {"KBXSAVE12.SAV", 0},
        {"XBXSAVE1.SAV", 0}, {"KBXSAVE1", 0}};
    for (const auto& [name, slot] : names)
        EXPECT_EQ(SaveSlots::slotOf(name), slot) << name;

    TempFolder folder;
    const std::vector<std::uint8_t> valid = encodeSavedGame(
        {"three", 0, 1, 1, 1, 0, 0, 0, {0, 0, 0, 1}, std::vector<std::uint8_t>(28)});
    for (const char* name : {"kbxsave3.sav", "KBXSAVE6.SAV", "KBXSAVEX.SAV", "kbxsave2.sav"})
        folder.write(name, valid);
    folder.write("KBXSAVE2.SAV", "damaged");
    const auto slots = SaveSlots(folder.path()).scan();
    EXPECT_EQ(slots[2].file, folder / "kbxsave3.sav");
    EXPECT_EQ(slots[2].description, "three");
    EXPECT_EQ(slots[1].file, folder / "KBXSAVE2.SAV") << "the slot's own name wins";
    EXPECT_FALSE(slots[1].description) << "and it is damaged";
    for (const int empty : {0, 3, 4})
        EXPECT_TRUE(slots[static_cast<std::size_t>(empty)].file.empty()) << empty;
}

} // namespace
} // namespace kubrix::test
