// What the tutorial's script tells the window that shows its pages.
#pragma once

#include "core/tutorial/tutorial_pages.h"

namespace kubrix {

class TutorialView {
public:
    virtual ~TutorialView() = default;
    // A new page: its picture and title are shown and "Next >>" waits until the page is done.
    virtual void showPage(const TutorialPage& page) = 0;
    virtual void enableNext() = 0;
    // The last page is done: "Next >>" becomes "Finish" and "Cancel" goes away.
    virtual void enterFinishMode() = 0;
};

} // namespace kubrix
