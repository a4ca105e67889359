// The record of one cube, stored unchanged in saved games.
#pragma once

#include "core/base/little_endian.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace kubrix {

// 28 bytes, little-endian, fields in this order (the saved-game file stores the array
// record by record, so neither order nor widths may change):
//   0  int32 bomb            1 when the cube holds a bomb
//   4  uint8 neighbourBombs  bombs among the up to 26 neighbours (0..26); then 3 zero bytes
//   8  int32 covered         1 until the cube is exposed
//  12  int32 marked          the player marked it 'X'
//  16  int32 suspect         the player marked it '?'
//  20  int32 floodUntouched  cleared when a flood exposes the cube; only saved and restored
//  24  int32 intact          cleared on the bomb whose exposure lost the game
struct Cube {
    std::int32_t bomb = 0;
    std::uint8_t neighbourBombs = 0;
    std::uint8_t padding[3] = {0, 0, 0};
    std::int32_t covered = 1;
    std::int32_t marked = 0;
    std::int32_t suspect = 0;
    std::int32_t floodUntouched = 1;
    std::int32_t intact = 1;

    friend bool operator==(const Cube&, const Cube&) = default;
};

static_assert(sizeof(Cube) == 28);
static_assert(offsetof(Cube, bomb) == 0);
static_assert(offsetof(Cube, neighbourBombs) == 4);
static_assert(offsetof(Cube, covered) == 8);
static_assert(offsetof(Cube, marked) == 12);
static_assert(offsetof(Cube, suspect) == 16);
static_assert(offsetof(Cube, floodUntouched) == 20);
static_assert(offsetof(Cube, intact) == 24);

inline constexpr std::size_t kCubeRecordBytes = 28;
static_assert(sizeof(Cube) == kCubeRecordBytes);

// The record in the layout above; the padding bytes are zero.
inline void writeCubeRecord(const Cube& cube, std::span<std::uint8_t, kCubeRecordBytes> out)
{
    const auto put = [&](std::size_t at, std::int32_t value) {
        writeLe32(out, at, static_cast<std::uint32_t>(value));
    };
    put(0, cube.bomb);
    put(4, cube.neighbourBombs);
    put(8, cube.covered);
    put(12, cube.marked);
    put(16, cube.suspect);
    put(20, cube.floodUntouched);
    put(24, cube.intact);
}

// Field by field, so padding bytes a file may carry never reach the board.
inline Cube readCubeRecord(std::span<const std::uint8_t, kCubeRecordBytes> in)
{
    const auto field = [&](std::size_t at) { return static_cast<std::int32_t>(readLe32(in, at)); };
    Cube cube;
    cube.bomb = field(0);
    cube.neighbourBombs = in[4];
    cube.covered = field(8);
    cube.marked = field(12);
    cube.suspect = field(16);
    cube.floodUntouched = field(20);
    cube.intact = field(24);
    return cube;
}

} // namespace kubrix
