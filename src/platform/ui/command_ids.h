// The numeric ids of the main window's commands, as its menu and shortcuts carry them.
#pragma once

namespace kubrix::command {

inline constexpr int kNew = 32771;
inline constexpr int kBeginner = 32772;
inline constexpr int kIntermediate = 32773;
inline constexpr int kExpert = 32774;
inline constexpr int kCustom = 32775;
inline constexpr int kSound = 32776;
inline constexpr int kRecords = 32777;
inline constexpr int kTutorial = 32778;
inline constexpr int kPreferences = 32785;
inline constexpr int kContents = 32787;
inline constexpr int kSkins = 32788;
inline constexpr int kStatistics = 32789;
inline constexpr int kAutomaticUpdates = 32790;
inline constexpr int kMusic = 32794;
inline constexpr int kSaveGame = 32795;
inline constexpr int kLoadGame = 32796;
// The two commands that keep the ids of the classic framework's standard ones.
inline constexpr int kAbout = 57664;
inline constexpr int kExit = 57665;

} // namespace kubrix::command
