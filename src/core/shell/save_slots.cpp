// The five save slots of the data folder.
#include "core/shell/save_slots.h"

#include "core/formats/saved_game.h"
#include "core/game/game.h"
#include "core/game/levels.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <string_view>
#include <system_error>
#include <vector>

namespace kubrix {

namespace {

static_assert(SavedGame::kCubeRecordBytes == kCubeRecordBytes);
static_assert(SavedGame::kBombAt == offsetof(Cube, bomb));
static_assert(SavedGame::kNeighbourBombsAt == offsetof(Cube, neighbourBombs));
static_assert(SavedGame::kMarkedAt == offsetof(Cube, marked));
static_assert(SavedGame::kMaxSide == Board::kMaxSide);

std::string canonicalName(int slot)
{
    return "KBXSAVE" + std::to_string(slot) + ".SAV";
}

bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// 1..5 for a name "KBXSAVEn.SAV" in any mix of case, 0 for any other name.
int slotOf(std::string_view fileName)
{
    constexpr std::size_t kDigitAt = 7;
    if (fileName.size() != canonicalName(1).size() ||
        !sameIgnoringCase(fileName.substr(0, kDigitAt), "kbxsave") ||
        !sameIgnoringCase(fileName.substr(kDigitAt + 1), ".sav"))
        return 0;
    const char digit = fileName[kDigitAt];
    return digit >= '1' && digit <= '0' + SaveSlots::kSlotCount ? digit - '0' : 0;
}

} // namespace

SaveSlots::SaveSlots(std::filesystem::path folder) : folder_(std::move(folder))
{
}

std::array<SaveSlots::Slot, SaveSlots::kSlotCount> SaveSlots::scan() const
{
    std::array<Slot, kSlotCount> slots;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder_, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        const int slot = slotOf(name);
        if (slot == 0)
            continue;
        std::filesystem::path& file = slots[static_cast<std::size_t>(slot - 1)].file;
        const std::string held = file.filename().string();
        if (file.empty() || name == canonicalName(slot) ||
            (held != canonicalName(slot) && name < held))
            file = entry->path();
    }
    for (Slot& slot : slots) {
        if (slot.file.empty())
            continue;
        if (const std::optional<SavedGame> game = readSavedGame(slot.file))
            slot.description = game->description;
    }
    return slots;
}

std::filesystem::path SaveSlots::fileOf(int slot) const
{
    const std::filesystem::path found = scan()[static_cast<std::size_t>(slot - 1)].file;
    return found.empty() ? folder_ / canonicalName(slot) : found;
}

bool SaveSlots::save(int slot, const Game& game, const Quaternion& rotation,
                     const std::tm& now) const
{
    if (slot < 1 || slot > kSlotCount)
        return false;
    const Board& board = game.board();
    SavedGame saved;
    saved.description = describeSavedGame(board.width(), board.height(), board.depth(),
                                          game.marksPlaced(), game.bombCount(), now);
    saved.elapsedSeconds = static_cast<std::int32_t>(game.elapsedSeconds());
    saved.width = board.width();
    saved.height = board.height();
    saved.depth = board.depth();
    saved.bombCount = game.bombCount();
    saved.marksPlaced = game.marksPlaced();
    saved.level = game.level();
    saved.rotation = {rotation.x, rotation.y, rotation.z, rotation.w};
    saved.cubeRecords.resize(board.cubes().size() * kCubeRecordBytes);
    for (std::size_t i = 0; i < board.cubes().size(); ++i)
        writeCubeRecord(
            board.cubes()[i],
            std::span(saved.cubeRecords).subspan(i * kCubeRecordBytes).first<kCubeRecordBytes>());
    return writeSavedGame(fileOf(slot), saved);
}

std::optional<Quaternion> SaveSlots::load(int slot, Game& game) const
{
    if (slot < 1 || slot > kSlotCount)
        return std::nullopt;
    const std::optional<SavedGame> saved = readSavedGame(fileOf(slot));
    if (!saved)
        return std::nullopt;
    std::vector<Cube> cubes(saved->cubeCount());
    for (std::size_t i = 0; i < cubes.size(); ++i)
        cubes[i] = readCubeRecord(
            std::span(saved->cubeRecords).subspan(i * kCubeRecordBytes).first<kCubeRecordBytes>());
    const int level = levelOn(saved->level, {saved->width, saved->height, saved->depth,
                                             saved->bombCount});
    if (!game.restoreGame(static_cast<std::uint32_t>(saved->elapsedSeconds), level,
                          saved->width, saved->height, saved->depth, saved->bombCount,
                          saved->marksPlaced, cubes))
        return std::nullopt;
    const auto& [x, y, z, w] = saved->rotation;
    return Quaternion{x, y, z, w};
}

} // namespace kubrix
