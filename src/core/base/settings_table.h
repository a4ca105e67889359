// Every value the program keeps in the settings store, with its section, key and default.
#pragma once

#include "core/base/settings_store.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kubrix {

struct IntSetting {
    std::string_view section;
    std::string_view key;
    std::int32_t fallback;
};

struct TextSetting {
    std::string_view section;
    std::string_view key;
    std::string_view fallback;
};

namespace settings {

inline constexpr std::string_view kStartup = "Startup";
inline constexpr std::string_view kUser = "User";

// Section "Startup": the player's game preferences and the window.
inline constexpr IntSetting quality{kStartup, "Quality", 1};
// The start-up game: the last level or custom game the player chose.
inline constexpr IntSetting startWidth{kStartup, "x", 4};
inline constexpr IntSetting startHeight{kStartup, "y", 4};
inline constexpr IntSetting startDepth{kStartup, "z", 4};
inline constexpr IntSetting startBombs{kStartup, "nm", 6};
inline constexpr IntSetting startLevel{kStartup, "m", 0};
inline constexpr IntSetting soundOn{kStartup, "s", 1};
inline constexpr IntSetting musicOn{kStartup, "t", 1};
// 1: the first exposure draws a board that can be cleared by reasoning alone.
inline constexpr IntSetting noGuessBoards{kStartup, "NoGuess", 0};
// 0: the mark cycle skips the '?'.
inline constexpr IntSetting questionMarks{kStartup, "qmarks", 1};
// Fastest times per level 0..2, keyed "%s%d" from "N" (holder) or "D" (seconds) and the level.
inline constexpr std::array<TextSetting, 3> recordName{
    {{kStartup, "N0", ""}, {kStartup, "N1", ""}, {kStartup, "N2", ""}}};
inline constexpr std::int32_t kNoRecordSeconds = 59999;
inline constexpr std::array<IntSetting, 3> recordSeconds{{{kStartup, "D0", kNoRecordSeconds},
                                                          {kStartup, "D1", kNoRecordSeconds},
                                                          {kStartup, "D2", kNoRecordSeconds}}};
inline constexpr TextSetting windowPlacement{kStartup, "wscale", "0,0,600,600"};
inline constexpr IntSetting tutorialOffered{kStartup, "hst", 0};
inline constexpr TextSetting skinPackage{kStartup, "Skin4", ""};
// 1: the numbers around the hovered cube stand out and all others are dimmed.
inline constexpr IntSetting neighbourhood{kStartup, "nhood", 0};

// Section "User": the update check and the lifetime statistics.
inline constexpr IntSetting updateMode{kUser, "iupdate", -1};
inline constexpr IntSetting updateKnownVersion{kUser, "iupdatev", 1040};
inline constexpr IntSetting gamesPlayed{kUser, "stlos", 0}; // sic: games played live under "stlos"
inline constexpr IntSetting gamesWon{kUser, "stwon", 0};
inline constexpr IntSetting longestWinStreak{kUser, "ststwin", 0};
inline constexpr IntSetting longestLossStreak{kUser, "ststlos", 0};
inline constexpr IntSetting currentStreak{kUser, "stst", 0};
inline constexpr IntSetting longestGameSeconds{kUser, "stmx", 0};
inline constexpr IntSetting totalSeconds{kUser, "sttt", 0};

inline std::int32_t read(const SettingsStore& store, const IntSetting& setting)
{
    return store.readInt(setting.section, setting.key, setting.fallback);
}

inline std::string read(const SettingsStore& store, const TextSetting& setting)
{
    return store.readText(setting.section, setting.key, setting.fallback);
}

inline void write(SettingsStore& store, const IntSetting& setting, std::int32_t value)
{
    store.writeInt(setting.section, setting.key, value);
}

inline void write(SettingsStore& store, const TextSetting& setting, std::string_view value)
{
    store.writeText(setting.section, setting.key, value);
}

} // namespace settings
} // namespace kubrix
