// Chooses the cube a selection-mode pass hit: the nearest surface, the first drawn on a tie.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace kubrix {

// The selection buffer holds hitCount records of (name count, minimum depth, maximum depth,
// names...). A negative count (the buffer overflowed) or a record that would run past the
// buffer counts as no hit. Returns the first name of the chosen record.
std::optional<std::uint32_t> chooseHit(std::span<const std::uint32_t> buffer, int hitCount);

} // namespace kubrix
