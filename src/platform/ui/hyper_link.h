// A line of text that acts as a web or mail link and opens its target when clicked.
#pragma once

#include <QColor>
#include <QLabel>

namespace kubrix {

class Messages;
class UrlOpener;

// Shown in the link colour, the visited colour once opened, the hover colour while the pointer
// is over it; underlined while hovering (or always, or never); a hand cursor and the target as
// its tooltip. With auto-size on it keeps exactly the size of its text, so only the text
// answers the pointer. A failed open is reported through the message seam.
class HyperLink final : public QLabel {
    Q_OBJECT

public:
    enum class Underline { WhileHovering = -1, Never = 0, Always = 1 };

    static constexpr QRgb kLinkColour = qRgb(0, 0, 238);
    static constexpr QRgb kVisitedColour = qRgb(85, 26, 139);
    static constexpr QRgb kHoverColour = qRgb(255, 0, 0);

    HyperLink(const QString& text, UrlOpener& opener, Messages& messages,
              QWidget* parent = nullptr);

    // An empty target is the text itself; an empty text shows the target.
    void setUrl(const QString& url);
    QString url() const;
    void setLinkText(const QString& text);
    void setColours(QColor link, QColor visited, QColor hover);
    void setVisited(bool visited);
    bool visited() const { return visited_; }
    bool hovering() const { return hovering_; }
    void setUnderline(Underline mode);
    void setAutoSize(bool on);
    // What the text is drawn in now.
    QColor textColour() const;

    // The click: opens the target; visited when that worked, otherwise a beep and the message.
    void open();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setHovering(bool on);
    void restyle();
    void fitToText();

    UrlOpener& opener_;
    Messages& messages_;
    QString url_;
    bool urlSet_ = false;
    QColor linkColour_{kLinkColour};
    QColor visitedColour_{kVisitedColour};
    QColor hoverColour_{kHoverColour};
    bool hovering_ = false;
    bool visited_ = false;
    Underline underline_ = Underline::WhileHovering;
    bool autoSize_ = true;
};

} // namespace kubrix
