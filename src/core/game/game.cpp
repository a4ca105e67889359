// The rules of play: exposure with its flood, the mark cycle, the safe first exposure, the end
// of a game and its bookkeeping.
#include "core/game/game.h"

#include "core/base/settings_table.h"
#include "core/game/levels.h"
#include "core/game/tutorial_layout.h"

#include <algorithm>
#include <deque>
#include <utility>
#include <vector>

namespace kubrix {

Game::Game(GameServices services) : services_(services), records_(services.settings)
{
}

Game::~Game() = default;

void Game::initFromSettings()
{
    const SettingsStore& store = services_.settings;
    hoverIndex_ = -1;
    quality_ = settings::read(store, settings::quality);
    if (quality_ < 0 || quality_ > 2)
        quality_ = 2;

    // The start-up game is only ever set by hand; a size the board cannot take falls back to
    // the defaults rather than allocating nonsense, and the bombs are cut by newGame. A level
    // that is none of the four, or a standard level on a board not its own, plays as Custom,
    // so it can never claim a fastest time.
    BoardSize start{
        settings::read(store, settings::startWidth), settings::read(store, settings::startHeight),
        settings::read(store, settings::startDepth), settings::read(store, settings::startBombs)};
    if (!Board::fits(start.width, start.height, start.depth))
        start = {settings::startWidth.fallback, settings::startHeight.fallback,
                 settings::startDepth.fallback, settings::startBombs.fallback};
    const int startLevel = levelOn(settings::read(store, settings::startLevel), start);

    soundOn_ = settings::read(store, settings::soundOn) != 0;
    questionMarks_ = settings::read(store, settings::questionMarks) != 0;
    musicOn_ = settings::read(store, settings::musicOn) != 0;
    records_.load();

    board_ = std::make_unique<Board>(services_.clock);
    newGame(startLevel, start.width, start.height, start.depth, start.bombs);
}

void Game::newGame(int level, int width, int height, int depth, int bombCount)
{
    level_ = level;
    // Every way into a game passes here, so the counter always starts at what the board holds.
    bombCount_ = std::clamp(bombCount, 0, Board::mostBombs(width, height, depth));
    marksPlaced_ = 0;
    clock_.reset();
    lost_ = false;
    litHint_.reset();
    hintUsed_ = false;
    hints_.reset();
    board_->generate(width, height, depth, bombCount_, -1);
    reportStateChanged();
}

void Game::restartSame()
{
    newGame(level_, board_->width(), board_->height(), board_->depth(), bombCount_);
}

void Game::selectLevel(int level)
{
    if (const auto preset = presetOf(level))
        chooseGame(level, preset->width, preset->height, preset->depth, preset->bombs);
}

void Game::chooseGame(int level, int width, int height, int depth, int bombCount)
{
    newGame(level, width, height, depth, bombCount);
    SettingsStore& store = services_.settings;
    settings::write(store, settings::startWidth, board_->width());
    settings::write(store, settings::startHeight, board_->height());
    settings::write(store, settings::startDepth, board_->depth());
    settings::write(store, settings::startBombs, bombCount_);
    settings::write(store, settings::startLevel, level_);
}

void Game::setupTutorialBoard()
{
    newGame(kLevelBeginner, kTutorialSide, kTutorialSide, kTutorialSide, kTutorialBombs);
    const auto layout = tutorialLayout();
    for (int index = 0; index < kTutorialCubes; ++index)
        board_->cube(index) = layout[static_cast<std::size_t>(index)];
    if (observer_ != nullptr)
        observer_->tutorialBoardSetUp();
}

bool Game::restoreGame(std::uint32_t elapsedSeconds, int level, int width, int height, int depth,
                       int bombCount, int marksPlaced, std::span<const Cube> cubeRecords)
{
    if (!Board::canRestore(width, height, depth, cubeRecords.size()))
        return false;
    clock_.restore(now(), elapsedSeconds);
    level_ = level;
    marksPlaced_ = marksPlaced;
    bombCount_ = bombCount;
    lost_ = false;
    litHint_.reset();
    hintUsed_ = false;
    hints_.reset();
    face_.set(FaceState::kIdle, now());
    services_.statistics.recordGameStarted();
    board_->restore(width, height, depth, cubeRecords);
    reportStateChanged();
    return true;
}

int Game::expose(int index)
{
    if (ended() || paused() || index < 0 || index >= board_->cubeCount())
        return 0;
    if (std::as_const(*board_).cube(index).marked != 0) {
        hint_.clickOnMarked(now());
        return 1;
    }
    litHint_.reset();
    const bool starting = startTick() == 0;
    if (starting) {
        face_.set(FaceState::kIdle, now());
        if (!services_.host.tutorialRunning()) {
            regenerateAround(index);
            services_.statistics.recordGameStarted();
        }
        // Once the board is there: the search for one that needs no guess can take seconds
        // that are not the player's.
        clock_.start(now());
    }
    // Looked up only after the first exposure has replaced the whole cube array.
    uncover(index);
    conclude(starting);
    return 1;
}

int Game::chord(int index)
{
    if (!running() || paused() || index < 0 || index >= board_->cubeCount())
        return 0;
    const Board& board = *board_;
    const Cube& centre = board.cube(index);
    if (centre.covered != 0 || centre.neighbourBombs == 0)
        return 0;
    // A cube exposed by a flood keeps its mark flag but is no bomb, so only covered marks count.
    int marks = 0;
    std::vector<int> covered;
    board.forEachNeighbour(board.positionOf(index), [&](int x, int y, int z) {
        const int other = board.indexOf(x, y, z);
        const Cube& neighbour = board.cube(other);
        if (neighbour.covered == 0)
            return;
        if (neighbour.marked != 0)
            ++marks;
        else
            covered.push_back(other);
    });
    if (marks != centre.neighbourBombs || covered.empty())
        return 0;
    litHint_.reset();
    // The first bomb ends the game, as a click on it would; a flood may already have taken
    // cubes further down the list.
    for (const int other : covered) {
        if (lost_)
            break;
        if (board.cube(other).covered != 0)
            uncover(other);
    }
    conclude(false);
    return 1;
}

void Game::uncover(int index)
{
    Cube& cube = board_->cube(index);
    if (cube.bomb != 0) {
        lost_ = true;
        cube.intact = 0;
    } else {
        cube.covered = 0;
    }
    if (cube.neighbourBombs == 0)
        flood(index);
}

void Game::conclude(bool starting)
{
    std::optional<SoundId> sound;
    if (!lost_)
        sound = SoundId::Safe;
    if (lost_ || board_->allSafeCubesExposed())
        sound = finish();
    if (sound)
        playEffect(*sound);
    if (starting || ended())
        reportStateChanged();
}

void Game::regenerateAround(int index)
{
    hints_.reset();
    if (noGuessBoards()) {
        // Seeded from the clock as the classic draw is, so a seeded game comes out the same.
        NoGuessGenerator generator(board_->width(), board_->height(), board_->depth());
        const auto layout = generator.generate(bombCount_, index, now(), kNoGuessBudget);
        if (layout && board_->installLayout(*layout, bombCount_, index))
            return;
        if (observer_ != nullptr)
            observer_->noGuessBoardUnavailable();
    }
    board_->regenerateExcluding(bombCount_, index);
}

bool Game::noGuessBoards() const
{
    return settings::read(services_.settings, settings::noGuessBoards) != 0;
}

void Game::setNoGuessBoards(bool on)
{
    settings::write(services_.settings, settings::noGuessBoards, on ? 1 : 0);
    reportStateChanged();
}

bool Game::giveHint()
{
    litHint_.reset();
    // A paused block is hidden, and a hint would show it.
    if (!running() || paused())
        return false;
    if (!hints_)
        hints_ = std::make_unique<HintTracker>(*board_, bombCount_);
    litHint_ = hints_->next(*board_);
    hintUsed_ = hintUsed_ || litHint_.has_value();
    return litHint_.has_value();
}

void Game::flood(int index)
{
    // Marks do not stop a flood: a marked cube it reaches is exposed and keeps its mark flag,
    // so the bomb counter still counts it.
    std::deque<CubePosition> queue{board_->positionOf(index)};
    while (!queue.empty()) {
        const CubePosition at = queue.front();
        queue.pop_front();
        board_->forEachNeighbour(at, [&](int x, int y, int z) {
            Cube& next = board_->cube(board_->indexOf(x, y, z));
            if (next.covered == 0)
                return;
            next.floodUntouched = 0;
            next.covered = 0;
            if (next.neighbourBombs == 0)
                queue.push_back({x, y, z});
        });
    }
}

SoundId Game::finish()
{
    clock_.stop(now());
    const std::uint32_t seconds = elapsedSeconds();
    SoundId sound = SoundId::GameOver;
    if (!lost_) {
        // Another running game may have set a better time since this one read them.
        records_.load();
        const bool fastest = !services_.host.tutorialGame() && !hintUsed_ && keepsRecords(level_) &&
                             static_cast<std::int64_t>(record(level_).seconds) > seconds;
        if (fastest) {
            services_.host.showRecordEntry(*this);
            face_.set(FaceState::kWonRecord, now());
            sound = SoundId::HiScore;
        } else {
            face_.set(FaceState::kWon, now());
            sound = SoundId::Win;
        }
    } else {
        face_.set(FaceState::kLost, now());
    }
    services_.statistics.recordFinishedGame(!lost_, seconds);
    // Saved at once, so that a run that ends without closing its window keeps its games.
    services_.statistics.save(services_.settings, now());
    return sound;
}

int Game::toggleMark(int index)
{
    return toggleMark(index, questionMarks_);
}

int Game::toggleMark(int index, bool withQuestion)
{
    if (ended() || paused() || index < 0 || index >= board_->cubeCount())
        return 0;
    // A mark starts the clock, so the first exposure after it is not made safe.
    const bool starting = startTick() == 0;
    if (starting)
        clock_.start(now());
    litHint_.reset();
    Cube& cube = board_->cube(index);
    SoundId sound = SoundId::Marked;
    if (cube.suspect != 0) {
        cube.suspect = 0;
        sound = SoundId::Unmark;
    } else if (cube.marked != 0) {
        cube.marked = 0;
        --marksPlaced_;
        if (withQuestion) {
            cube.suspect = 1;
            sound = SoundId::Question;
        } else {
            sound = SoundId::Unmark;
        }
    } else {
        cube.marked = 1;
        ++marksPlaced_;
    }
    playEffect(sound);
    if (starting)
        reportStateChanged();
    return 1;
}

int Game::setHover(int index)
{
    if (index == hoverIndex_)
        return 0;
    hoverIndex_ = index;
    return 1;
}

void Game::pause()
{
    if (!running() || paused())
        return;
    clock_.pause(now());
    reportStateChanged();
}

void Game::resume()
{
    if (!paused())
        return;
    clock_.resume(now());
    reportStateChanged();
}

void Game::toggleQuestionMarks()
{
    questionMarks_ = !questionMarks_;
    settings::write(services_.settings, settings::questionMarks, questionMarks_ ? 1 : 0);
    reportStateChanged();
}

std::uint32_t Game::elapsedSeconds() const
{
    return clock_.elapsedSeconds(now());
}

int Game::clockSeconds() const
{
    return static_cast<int>(std::min<std::uint32_t>(elapsedSeconds(), 59999U));
}

int Game::bombCounter() const
{
    return std::clamp(bombCount_ - marksPlaced_, 0, 999);
}

void Game::setRecord(const std::string& name)
{
    records_.set(level_, name, static_cast<std::int32_t>(elapsedSeconds()));
}

void Game::toggleSound()
{
    soundOn_ = !soundOn_;
    settings::write(services_.settings, settings::soundOn, soundOn_ ? 1 : 0);
    reportStateChanged();
}

void Game::toggleMusic()
{
    musicOn_ = !musicOn_;
    if (musicOn_)
        services_.sound.playMusic();
    else
        services_.sound.stopMusic();
    settings::write(services_.settings, settings::musicOn, musicOn_ ? 1 : 0);
    reportStateChanged();
}

void Game::setQuality(int quality)
{
    quality_ = quality;
}

void Game::playEffect(SoundId id)
{
    if (soundOn_)
        services_.sound.playSound(id);
}

void Game::reportStateChanged()
{
    if (observer_ != nullptr)
        observer_->gameStateChanged();
}

} // namespace kubrix
