// The tutorial's script player.
#include "core/tutorial/tutorial_player.h"

#include "core/game/game.h"

namespace kubrix {

TutorialPlayer::TutorialPlayer(Game& game, Quaternion& viewRotation, TutorialView& view)
    : game_(game), viewRotation_(viewRotation), view_(view)
{
}

void TutorialPlayer::start(std::uint32_t now)
{
    page_ = 0;
    finishMode_ = false;
    showPage(now);
}

bool TutorialPlayer::next(std::uint32_t now)
{
    if (finishMode_)
        return false;
    if (page_ < kTutorialLastPage)
        ++page_;
    showPage(now);
    return true;
}

void TutorialPlayer::showPage(std::uint32_t now)
{
    step_ = 0;
    pageStartTick_ = now;
    pageDone_ = false;
    view_.showPage(tutorialPage(page_));
}

bool TutorialPlayer::tick(std::uint32_t now)
{
    const TutorialPage& page = tutorialPage(page_);
    if (!page.turn && page.steps.empty()) {
        if (!pageDone_)
            finishPage();
        return false;
    }
    if (!pageDone_) {
        // Signed, so the lead-in before the first move counts as negative time; the unsigned
        // difference stays right across a wrap of the tick counter.
        const auto t =
            static_cast<std::int32_t>(now - pageStartTick_ - static_cast<std::uint32_t>(kLeadMs));
        if (page.turn)
            playTurn(page, t);
        else
            playCubeSteps(page, t);
    }
    return true;
}

void TutorialPlayer::playCubeSteps(const TutorialPage& page, std::int32_t t)
{
    const auto count = static_cast<int>(page.steps.size());
    const TutorialStep& next = page.steps[static_cast<std::size_t>(step_)];
    const std::int32_t due = step_ * kStepMs;
    // The first move acts as soon as its time has come; the later ones only once it has
    // passed, so a tick landing exactly on the time still shows the cube highlighted.
    if (t < due) {
        game_.setHover(next.cube);
    } else if (step_ == 0 || t > due) {
        act(next);
        ++step_;
    }
    if (step_ == count)
        finishPage();
}

void TutorialPlayer::playTurn(const TutorialPage& page, std::int32_t t)
{
    // A turn page counts two steps: the start of the turn and its arrival, and is done on the
    // tick after the arrival.
    constexpr int kTurnSteps = 2;
    if (t < 0) {
        game_.setHover(-1);
        return;
    }
    if (step_ == 0)
        step_ = 1;
    if (t <= kTurnMs) {
        viewRotation_ = slerp(page.from, page.to, static_cast<float>(t) * (1.0F / kTurnMs));
    } else {
        viewRotation_ = page.to;
        ++step_;
    }
    if (step_ > kTurnSteps)
        finishPage();
}

void TutorialPlayer::act(const TutorialStep& step)
{
    switch (step.action) {
    case TutorialAction::None:
        break;
    case TutorialAction::Expose:
        game_.expose(step.cube);
        break;
    case TutorialAction::Mark:
        // The page shows the whole cycle, whether the player plays with question marks or not.
        game_.toggleMark(step.cube, true);
        break;
    }
}

void TutorialPlayer::finishPage()
{
    pageDone_ = true;
    if (page_ < kTutorialLastPage) {
        view_.enableNext();
        return;
    }
    finishMode_ = true;
    view_.enterFinishMode();
}

} // namespace kubrix
