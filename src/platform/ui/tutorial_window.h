// The "Tutorial" window: the page pictures and the "Next >>" and "Cancel" buttons beside the game
// that the tutorial plays by itself.
#pragma once

#include "core/tutorial/tutorial_player.h"
#include "core/tutorial/tutorial_view.h"
#include "platform/ui/tutorial_picture.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace kubrix {

class Clock;
class Game;
class SkinPackage;

// Modeless; it deletes itself when closed (by "Cancel", "Finish", its close box or Escape),
// and says so through QDialog::finished first.
class TutorialWindow final : public QDialog, private TutorialView {
    Q_OBJECT

public:
    // Control ids, kept as the controls' object names.
    static constexpr int kPictureId = 1001;
    static constexpr int kNextId = 1007;
    static constexpr int kCancelId = 2;

    // Shows the first page at once; the moves are played on the game and the view rotation,
    // the pictures drawn with the skin's art.
    TutorialWindow(Game& game, Quaternion& viewRotation, const Clock& clock,
                   const SkinPackage& skin, QWidget* parent);

    // The main window's timer tick: true when the board must be repainted.
    bool tick();

private:
    void showPage(const TutorialPage& page) override;
    void enableNext() override;
    void enterFinishMode() override;
    void nextPressed();

    const Clock& clock_;
    TutorialPicture picture_;
    QLabel* pictureLabel_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* cancel_ = nullptr;
    TutorialPlayer player_;
};

} // namespace kubrix
