// Fuzzes hand-edited settings values through everything that reads them at start-up.
#include "core/base/clock.h"
#include "core/base/memory_settings_store.h"
#include "core/base/settings_table.h"
#include "core/game/game.h"
#include "core/game/statistics.h"
#include "core/shell/window_placement.h"
#include "fuzz_target.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

using namespace kubrix;

// Every value of the settings table, in the order an input's lines fill them.
constexpr std::array<const IntSetting*, 21> kInts{
    &settings::quality,          &settings::startWidth,
    &settings::startHeight,      &settings::startDepth,
    &settings::startBombs,       &settings::startLevel,
    &settings::soundOn,          &settings::musicOn,
    &settings::recordSeconds[0], &settings::recordSeconds[1],
    &settings::recordSeconds[2], &settings::tutorialOffered,
    &settings::updateMode,       &settings::updateKnownVersion,
    &settings::gamesPlayed,      &settings::gamesWon,
    &settings::longestWinStreak, &settings::longestLossStreak,
    &settings::currentStreak,    &settings::longestGameSeconds,
    &settings::totalSeconds};
constexpr std::array<const TextSetting*, 5> kTexts{
    &settings::recordName[0], &settings::recordName[1], &settings::recordName[2],
    &settings::windowPlacement, &settings::skinPackage};

class SilentSound final : public SoundPlayer {
public:
    void playSound(SoundId) override {}
    void playMusic() override {}
    void stopMusic() override {}
};

class NoHost final : public GameHost {
public:
    bool tutorialGame() const override { return false; }
    bool tutorialRunning() const override { return false; }
    void showRecordEntry(Game&) override {}
};

// One value per line, the table's integers first, then its texts.
MemorySettingsStore storeOf(std::string_view input)
{
    MemorySettingsStore store;
    for (std::size_t i = 0; i < kInts.size() + kTexts.size() && !input.empty(); ++i) {
        const std::size_t end = std::min(input.find('\n'), input.size());
        const std::string_view value = input.substr(0, end);
        if (i < kInts.size())
            store.writeText(kInts[i]->section, kInts[i]->key, value);
        else
            store.writeText(kTexts[i - kInts.size()]->section, kTexts[i - kInts.size()]->key,
                            value);
        input.remove_prefix(std::min(end + 1, input.size()));
    }
    return store;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MemorySettingsStore store = storeOf({reinterpret_cast<const char*>(data), size});
    ManualClock clock(0xFFFFF000U);
    Statistics statistics;
    statistics.load(store, clock.now());
    SilentSound sound;
    NoHost host;
    Game game(GameServices{store, clock, statistics, sound, host});
    game.initFromSettings();
    // Whatever was stored, the start-up board is one the game can hold.
    fuzz::require(Board::fits(game.board().width(), game.board().height(), game.board().depth()));
    game.expose(0);
    // Counts only grow, whatever was stored: they stop at their largest value, never wrap.
    const std::int32_t won = statistics.gamesWon();
    statistics.recordFinishedGame(false, 0xFFFFFFFFU);
    fuzz::require(statistics.longestLossStreak() >= 1);
    statistics.recordFinishedGame(true, 1);
    fuzz::require(statistics.gamesWon() >= won && statistics.currentStreak() == 1);
    clock.advance(0x7FFFFFFFU);
    fuzz::require(statistics.runningTotalSeconds(clock.now()) >= statistics.totalSeconds());
    statistics.save(store, clock.now());

    const WindowRect placement = clampPlacement(
        parsePlacement(settings::read(store, settings::windowPlacement)), 1280, 1024);
    fuzz::require(placement.left >= 0 && placement.top >= 0 && placement.right <= 1280 &&
                  placement.bottom <= 1024 && placement.left < placement.right &&
                  placement.top < placement.bottom);
    return 0;
}

std::vector<kubrix::fuzz::Seed> kubrix::fuzz::seeds(const std::filesystem::path&)
{
    const std::string defaults = "1\n4\n4\n4\n6\n0\n1\n1\n59999\n59999\n59999\n0\n-1\n1040\n"
                                 "0\n0\n0\n0\n0\n0\n0\n\n\n\n0,0,600,600\n\n";
    const std::string extreme = "2\n20\n20\n20\n500\n4\n0\n0\n1\n2\n3\n1\n1\n9999\n"
                                "2147483647\n2147483647\n7\n-3\n-2147483648\n2147483647\n"
                                "2147483600\nAnn\nBob\n\n-5,-5,99999,99999\nOcean.KBS\n";
    return {{"defaults", {defaults.begin(), defaults.end()}},
            {"extreme", {extreme.begin(), extreme.end()}}};
}
