// Fuzzes the saved-game reader as the Load Game dialog uses it on a slot's file.
#include "core/base/little_endian.h"
#include "core/formats/saved_game.h"
#include "core/game/cube.h"
#include "fuzz_target.h"

#include <algorithm>
#include <numeric>

namespace {

using kubrix::SavedGame;

void check(std::span<const std::uint8_t> bytes)
{
    const std::optional<SavedGame> game = kubrix::decodeSavedGame(bytes);
    if (!game)
        return;
    // What the game is handed: a board it can hold, fewer bombs than cubes, every record there.
    const auto side = [](std::int32_t n) { return n >= 1 && n <= SavedGame::kMaxSide; };
    kubrix::fuzz::require(side(game->width) && side(game->height) && side(game->depth));
    const auto cubes = static_cast<std::int32_t>(game->cubeCount());
    kubrix::fuzz::require(game->bombCount >= 0 && game->bombCount < cubes);
    kubrix::fuzz::require(game->marksPlaced >= 0 && game->marksPlaced <= cubes);
    kubrix::fuzz::require(game->cubeRecords.size() ==
                          game->cubeCount() * SavedGame::kCubeRecordBytes);
    // Whatever is accepted is written back as the same game.
    kubrix::fuzz::require(kubrix::decodeSavedGame(kubrix::encodeSavedGame(*game)) == game);
}

// The file up to the last record its board uses; the rest of a saved game is zeros.
std::vector<std::uint8_t> headOf(const SavedGame& game)
{
    std::vector<std::uint8_t> image = kubrix::encodeSavedGame(game);
    constexpr std::size_t kRecordsAt =
        SavedGame::kFileBytes - 1 - SavedGame::kRecordSlots * SavedGame::kCubeRecordBytes;
    image.resize(kRecordsAt + game.cubeRecords.size());
    return image;
}

} // namespace

// An input is taken as it is, and as the head of a file: zeros after it, its size and checksum
// mended, so that small inputs and their mutations reach the checks behind those two.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> input(data, data + size);
    check(input);
    std::vector<std::uint8_t> image(SavedGame::kFileBytes, 0);
    std::copy_n(input.begin(), std::min(size, image.size() - 1), image.begin());
    kubrix::writeLe32(image, 0, SavedGame::kFileBytes);
    image.back() = static_cast<std::uint8_t>(std::accumulate(image.begin(), image.end() - 1, 0U));
    check(image);
    return 0;
}

std::vector<kubrix::fuzz::Seed> kubrix::fuzz::seeds(const std::filesystem::path&)
{
    // A marked bomb beside an exposed cube, as a running game saves it.
    Cube cubes[2];
    cubes[0].bomb = cubes[0].marked = 1;
    cubes[1].neighbourBombs = 1;
    cubes[1].covered = cubes[1].floodUntouched = 0;
    SavedGame two{"2x1x1 1/1 - 03:07PM Dec 07", 61, 2, 1, 1, 1, 1, 4, {0, 0.6F, 0, 0.8F}, {}};
    two.cubeRecords.resize(2 * kCubeRecordBytes);
    for (std::size_t i = 0; i < 2; ++i)
        writeCubeRecord(
            cubes[i],
            std::span(two.cubeRecords).subspan(i * kCubeRecordBytes).first<kCubeRecordBytes>());
    SavedGame lone{"1x1x1 0/0 - 11:59AM Jan 01", 0, 1, 1, 1, 0, 0, 0, {0, 0, 0, 1}, {}};
    lone.cubeRecords.resize(kCubeRecordBytes);
    writeCubeRecord(Cube{}, std::span(lone.cubeRecords).first<kCubeRecordBytes>());
    return {{"two-cubes.sav", headOf(two)},
            {"lone-cube.sav", headOf(lone)},
            {"whole-file.sav", encodeSavedGame(two)}};
}
