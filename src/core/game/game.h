// The game being played and the player's game preferences, with every rule of play.
#pragma once

#include "core/base/clock.h"
#include "core/base/settings_store.h"
#include "core/game/board.h"
#include "core/game/bomb_hint.h"
#include "core/game/deduction.h"
#include "core/game/face_state.h"
#include "core/game/fastest_times.h"
#include "core/game/game_host.h"
#include "core/game/game_observer.h"
#include "core/game/hint_tracker.h"
#include "core/game/no_guess_generator.h"
#include "core/game/play_clock.h"
#include "core/game/sound_player.h"
#include "core/game/statistics.h"

#include <memory>
#include <optional>
#include <span>
#include <string>

namespace kubrix {

// Everything outside the rules that the rules reach.
struct GameServices {
    SettingsStore& settings;
    const Clock& clock;
    Statistics& statistics;
    SoundPlayer& sound;
    GameHost& host;
};

class Game final {
public:
    static constexpr int kRecordLevels = FastestTimes::kLevels;
    // What a first exposure may spend looking for a board that needs no guess before it settles
    // for an ordinary one: the attempts keep a seeded board the same on every machine, the time
    // keeps a click from hanging on a board too dense for one.
    static constexpr GenerationBudget kNoGuessBudget{1000, std::chrono::milliseconds{2500}};

    // Empty records, quality 0 and no board until initFromSettings.
    explicit Game(GameServices services);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Reads the preferences and starts the stored start-up game: a size outside 1..20 gives the
    // default game, a level other than 0, 1, 2 or 4 plays as Custom (4).
    void initFromSettings();
    // The bombs are cut to 0..Board::mostBombs, and bombCount() then says how many there are.
    void newGame(int level, int width, int height, int depth, int bombCount);
    void restartSame();
    void selectLevel(int level);
    // A game the player chose (a level or a custom size): it becomes the start-up game, so the
    // next run begins where this one left off.
    void chooseGame(int level, int width, int height, int depth, int bombCount);
    // The tutorial's fixed board, reported to the observer.
    void setupTutorialBoard();
    // A saved game: refused, changing nothing, when its board size is outside 1..20 or the
    // records are fewer than the size needs.
    bool restoreGame(std::uint32_t elapsedSeconds, int level, int width, int height, int depth,
                     int bombCount, int marksPlaced, std::span<const Cube> cubeRecords);

    // 1 when the click was taken, 0 when the game had already ended (or no such cube).
    int expose(int index);
    int toggleMark(int index);
    // The same with the question mark in the cycle or not, whatever the player's switch says.
    int toggleMark(int index, bool withQuestion);
    // Exposes every covered, unmarked neighbour of an exposed number whose covered marked
    // neighbours are as many as the number says: 1 when anything was exposed, 0 (and no sound)
    // when the marks do not match, the cube is no number or the game is not running.
    int chord(int index);
    // 1 when the hovered cube changed.
    int setHover(int index);
    // Lights one cube that the numbers in sight prove safe (else one they prove a bomb), until
    // the next move. False, lighting nothing, when nothing is provable, no game runs or it is
    // paused. A game given a hint still counts in the statistics but sets no fastest time.
    bool giveHint();
    const std::optional<Deduction>& litHint() const { return litHint_; }
    bool hintUsed() const { return hintUsed_; }

    // The "NoGuess" preference, read when a first exposure needs it.
    bool noGuessBoards() const;
    void setNoGuessBoards(bool on);

    // A paused game takes no moves and its clock stands still; only a running game pauses.
    void pause();
    void resume();
    bool paused() const { return clock_.paused(); }
    // With question marks off the mark cycle is plain, 'X', plain; a '?' already placed still
    // clears on the next step.
    void toggleQuestionMarks();
    bool questionMarks() const { return questionMarks_; }

    std::uint32_t elapsedSeconds() const;
    // The current level's fastest time, now, in the holder's name.
    void setRecord(const std::string& name);
    void writeRecord(int level) { records_.write(level); }
    void clearRecords() { records_.clear(); }
    void toggleSound();
    void toggleMusic();
    // 0 draws nearest texels, 1 smooths them, 2 also chamfers the cubes.
    void setQuality(int quality);
    // Null for none; the observer must outlive the game or be taken away first.
    void setObserver(GameObserver* observer) { observer_ = observer; }

    int level() const { return level_; }
    int hoverIndex() const { return hoverIndex_; }
    int bombCount() const { return bombCount_; }
    int marksPlaced() const { return marksPlaced_; }
    bool soundOn() const { return soundOn_; }
    bool musicOn() const { return musicOn_; }
    int quality() const { return quality_; }
    const FastestTime& record(int level) const { return records_.of(level); }
    std::uint32_t startTick() const { return clock_.startTick(); }
    std::uint32_t endTick() const { return clock_.endTick(); }
    bool lost() const { return lost_; }
    bool running() const { return clock_.running(); }
    bool ended() const { return clock_.ended(); }
    // The clock shows at most 59999 seconds; the counter shows 0..999 bombs left.
    int clockSeconds() const;
    int bombCounter() const;

    Board& board() { return *board_; }
    const Board& board() const { return *board_; }
    FaceState& face() { return face_; }
    const FaceState& face() const { return face_; }
    const BombHint& bombHint() const { return hint_; }

private:
    // The first exposure's new board around the cube: one that needs no guess when the player
    // asked for it and one turns up within the budget, otherwise the classic draw.
    void regenerateAround(int index);
    void flood(int index);
    // Exposes one cube, or loses on a bomb; then floods from it when it has no bomb neighbours.
    void uncover(int index);
    // The win and loss tests after exposures and the sound they end with.
    void conclude(bool starting);
    // Returns the sound that closes the game.
    SoundId finish();
    void playEffect(SoundId id);
    void reportStateChanged();
    std::uint32_t now() const { return services_.clock.now(); }

    GameServices services_;
    GameObserver* observer_ = nullptr;
    int level_ = 0;
    int hoverIndex_ = -1;
    std::unique_ptr<Board> board_;
    int bombCount_ = 0;
    int marksPlaced_ = 0;
    bool soundOn_ = false;
    bool musicOn_ = false;
    int quality_ = 0;
    FastestTimes records_;
    PlayClock clock_;
    bool lost_ = false;
    bool questionMarks_ = true;
    FaceState face_;
    BombHint hint_;
    // Made at the first hint of a board and dropped with the board.
    std::unique_ptr<HintTracker> hints_;
    std::optional<Deduction> litHint_;
    bool hintUsed_ = false;
};

} // namespace kubrix
