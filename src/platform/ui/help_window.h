// "Kubrix Help": the game's help pages in a window of their own beside the game.
#pragma once

#include <QWidget>

class QTextBrowser;

namespace kubrix {

// Modeless and kept while the main window lives; the pages come from the program's resources
// (resources/help/), so the help is always the one for this build.
class HelpWindow final : public QWidget {
    Q_OBJECT

public:
    static constexpr const char* kContents = "qrc:/help/index.html";

    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the table of contents and brings the window to the front.
    void showContents();
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

} // namespace kubrix
