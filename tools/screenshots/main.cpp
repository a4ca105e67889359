// kubrix-screenshots: the pictures a software centre shows of the game, taken from its real window.
#include "app/app_context.h"
#include "core/base/clock.h"
#include "core/base/memory_settings_store.h"
#include "core/base/messages.h"
#include "core/base/settings_table.h"
#include "core/game/game.h"
#include "core/game/levels.h"
#include "core/game/sound_player.h"
#include "platform/ui/board_view.h"
#include "platform/ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

// Software centres ask for 16:9 pictures at least 620 pixels wide.
constexpr const char* kPlacement = "0,0,1024,576";
// The won game's clock, a plausible Expert time.
constexpr std::uint32_t kWinningMs = 187'000;

// Nobody is there to answer a message box: its text goes to the log and the safe answer is taken.
class LoggedMessages final : public kubrix::Messages {
public:
    kubrix::MessageAnswer show(std::string_view text, std::string_view caption, kubrix::MessageIcon,
                               kubrix::MessageButtons buttons) override
    {
        std::fprintf(stderr, "kubrix-screenshots: %.*s: %.*s\n", int(caption.size()),
                     caption.data(), int(text.size()), text.data());
        return buttons == kubrix::MessageButtons::YesNo ? kubrix::MessageAnswer::No
                                                        : kubrix::MessageAnswer::Ok;
    }
};

class Silence final : public kubrix::SoundPlayer {
public:
    void playSound(kubrix::SoundId) override {}
    void playMusic() override {}
    void stopMusic() override {}
};

// Lets the window take its place and paint; the software renderer needs a moment.
void settle()
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 500)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool shoot(kubrix::MainWindow& window, const std::filesystem::path& file)
{
    window.boardView()->redraw();
    settle();
    // From the display: the board is a window of its own, which a widget grab leaves out.
    const QPixmap shot = window.screen()->grabWindow(window.winId());
    if (shot.save(QString::fromStdString(file.string())))
        return true;
    std::fprintf(stderr, "kubrix-screenshots: cannot write %s\n", file.c_str());
    return false;
}

// Exposes every cube that holds no bomb; the first exposure, in the middle, places the bombs.
void playToWin(kubrix::Game& game, kubrix::ManualClock& clock)
{
    const kubrix::Board& board = game.board();
    game.expose(board.indexOf(board.width() / 2, board.height() / 2, board.depth() / 2));
    clock.advance(kWinningMs);
    for (int index = 0; index < static_cast<int>(board.cubes().size()); ++index)
        if (!board.cube(index).bomb && board.cube(index).covered)
            game.expose(index);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: kubrix-screenshots <output folder>\n");
        return 2;
    }
    const std::filesystem::path folder(arguments.at(1).toStdString());
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    QTemporaryDir data;
    if (error || !data.isValid()) {
        std::fprintf(stderr, "kubrix-screenshots: cannot create %s\n", folder.c_str());
        return 1;
    }

    // A player who has seen the tutorial, with an Expert record the won game does not beat, so
    // that no dialog covers the block.
    kubrix::MemorySettingsStore store;
    kubrix::settings::write(store, kubrix::settings::tutorialOffered, 1);
    kubrix::settings::write(store, kubrix::settings::windowPlacement, kPlacement);
    kubrix::settings::write(store, kubrix::settings::recordSeconds[kubrix::kLevelExpert], 1);
    kubrix::ManualClock clock(100'000);
    Silence silence;
    LoggedMessages messages;
    kubrix::AppContext context(kubrix::AppContextOptions{
        &store, &clock, data.path().toStdString(), &silence, &messages, {}, {}});
    if (!context.app().startUp({}) || !context.mainWindow())
        return 1;
    kubrix::MainWindow& window = *context.mainWindow();

    window.findChild<QAction*>(QStringLiteral("actionExpert"))->trigger();
    if (!shoot(window, folder / "expert.png"))
        return 1;
    playToWin(context.app().game(), clock);
    const bool shot = shoot(window, folder / "won.png");
    context.destroyMainWindow();
    context.app().shutDown();
    return shot ? 0 : 1;
}
