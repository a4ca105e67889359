// The saved-game file: one save slot's fixed-size image of a game in progress.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kubrix {

// The file, exactly 224305 bytes, integers little-endian, no alignment:
//   0       int32        224305, the file's size: the first thing a reader checks
//   4       char[128]    "Kubrix 1.04 Save Game File", NUL-padded; written, never checked
//   132     char[128]    the slot's description, NUL-padded
//   260     int32        elapsed game time in whole seconds when saved, 0..4294967
//   264     3 × int32    width (x), height (y), depth (z), each 1..20
//   276     int32        bomb count: the records holding a bomb, at most all cubes less one
//   280     int32        cubes marked 'X': the records marked
//   284     int32        level: 0, 1, 2 or 4 (custom)
//   288     4 × float32  the block's rotation quaternion x, y, z, w: finite, not all zero
//   304     8000 × 28    cube records in index order, in the cube's own layout: int32 bomb,
//                        uint8 neighbourBombs (the bombs among its neighbours) and 3 zero bytes,
//                        int32 covered, marked, suspect, floodUntouched, intact (each flag 0 or
//                        1); those beyond width × height × depth are zero
//   224304  uint8        checksum: the sum of bytes 0..224303, modulo 256
struct SavedGame {
    static constexpr std::size_t kFileBytes = 224305;
    static constexpr std::size_t kCubeRecordBytes = 28;
    static constexpr std::size_t kRecordSlots = 8000;
    static constexpr int kMaxSide = 20;
    // Where a record keeps the fields the reader checks against the counts.
    static constexpr std::size_t kBombAt = 0;
    static constexpr std::size_t kNeighbourBombsAt = 4;
    static constexpr std::size_t kMarkedAt = 12;
    // The game clock counts 32-bit milliseconds.
    static constexpr std::int32_t kMostElapsedSeconds = 4294967;

    std::string description;
    std::int32_t elapsedSeconds = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t depth = 0;
    std::int32_t bombCount = 0;
    std::int32_t marksPlaced = 0;
    std::int32_t level = 0;
    std::array<float, 4> rotation{0.0F, 0.0F, 0.0F, 1.0F};
    // width × height × depth records of kCubeRecordBytes, as the file holds them.
    std::vector<std::uint8_t> cubeRecords;

    std::size_t cubeCount() const;

    friend bool operator==(const SavedGame&, const SavedGame&) = default;
};

// The whole file image. The description is cut to 127 bytes and the records to what the board
// takes (at most 8000).
std::vector<std::uint8_t> encodeSavedGame(const SavedGame& game);
// Nothing unless the image is exactly one file long, carries its size and checksum, and holds
// only a board a game can reach, its counts agreeing with its records: a damaged or hand-made
// file never reaches the board.
std::optional<SavedGame> decodeSavedGame(std::span<const std::uint8_t> bytes);

// Nothing for a file that is missing, not a regular file, or does not decode.
std::optional<SavedGame> readSavedGame(const std::filesystem::path& path);
// All of the new file or none of it: on failure the file that was there is left as it was.
bool writeSavedGame(const std::filesystem::path& path, const SavedGame& game);

// "6x6x6 4/23 - 03:07PM Dec 07": the size, the marks of the bombs and the local time of
// saving, in English whatever the program's locale.
std::string describeSavedGame(int width, int height, int depth, int marksPlaced, int bombCount,
                              const std::tm& when);

} // namespace kubrix
