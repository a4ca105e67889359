// The fastest time of each standard level with its holder's name, as the settings store keeps
// them.
#pragma once

#include "core/base/settings_store.h"

#include <array>
#include <cstdint>
#include <string>

namespace kubrix {

struct FastestTime {
    std::string name;
    std::int32_t seconds = 0;
};

class FastestTimes {
public:
    // Levels 0..2 keep records; any other level asked about has none and stores nothing.
    static constexpr int kLevels = 3;

    // Empty until load().
    explicit FastestTimes(SettingsStore& store);

    void load();
    const FastestTime& of(int level) const;
    // Sets the level's record and stores it at once.
    void set(int level, const std::string& name, std::int32_t seconds);
    // Clears every record in memory only: the records dialog stores each with write() when the
    // player confirms.
    void clear();
    void write(int level);

private:
    SettingsStore& store_;
    std::array<FastestTime, kLevels> records_{};
    FastestTime none_;
};

} // namespace kubrix
