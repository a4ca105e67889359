// The save slots: which file of the folder fills each.
#include "core/formats/saved_game.h"
#include "core/shell/save_slots.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace kubrix::test {
namespace {

TEST(SaveSlots, NamesFillSlotsWhateverTheirCase)
{
    TempFolder folder;
    const std::vector<std::uint8_t> valid = encodeSavedGame(
        {"valid", 0, 1, 1, 1, 0, 0, 0, {0, 0, 0, 1}, std::vector<std::uint8_t>(28)});
    for (const char* name :
         {"kbxsave3.sav", "KbxSave5.Sav", "kbxsave2.sav", "KBXSAVE6.SAV", "KBXSAVE0.SAV",
          "KBXSAVEX.SAV", "KBXSAVE1.SAVE", "KBXSAVE12.SAV", "XBXSAVE1.SAV", "KBXSAVE1"})
        folder.write(name, valid);
    folder.write("KBXSAVE2.SAV", "damaged");
    const auto slots = SaveSlots(folder.path()).scan();
    EXPECT_EQ(slots[2].file, folder / "kbxsave3.sav");
    EXPECT_EQ(slots[2].description, "valid");
    EXPECT_EQ(slots[4].file, folder / "KbxSave5.Sav");
    EXPECT_EQ(slots[1].file, folder / "KBXSAVE2.SAV") << "the slot's own name wins";
    EXPECT_FALSE(slots[1].description) << "and it is damaged";
    EXPECT_TRUE(slots[0].file.empty() && slots[3].file.empty());
}

} // namespace
} // namespace kubrix::test
