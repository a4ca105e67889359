// The hyperlink control.
#include "platform/ui/hyper_link.h"

#include "core/base/messages.h"
#include "core/base/url_opener.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTextDocument>

namespace kubrix {

HyperLink::HyperLink(const QString& text, UrlOpener& opener, Messages& messages, QWidget* parent)
    : QLabel(parent), opener_(opener), messages_(messages)
{
    // The text is an address or a name, never markup.
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    setLinkText(text);
    restyle();
}

void HyperLink::setUrl(const QString& url)
{
    url_ = url;
    urlSet_ = true;
    if (text().isEmpty())
        QLabel::setText(url);
    setLinkText(text());
}

QString HyperLink::url() const
{
    // A refused target stays refused: the text shown is not a target of its own.
    return urlSet_ ? url_ : text();
}

void HyperLink::setLinkText(const QString& text)
{
    QLabel::setText(text);
    // Escaped, so that an address holding "<" shows as itself.
    setToolTip(Qt::convertFromPlainText(url(), Qt::WhiteSpaceNoWrap));
    fitToText();
}

void HyperLink::setColours(QColor link, QColor visited, QColor hover)
{
    linkColour_ = link;
    visitedColour_ = visited;
    hoverColour_ = hover;
    restyle();
}

void HyperLink::setVisited(bool visited)
{
    visited_ = visited;
    restyle();
}

void HyperLink::setUnderline(Underline mode)
{
    underline_ = mode;
    restyle();
}

void HyperLink::setAutoSize(bool on)
{
    autoSize_ = on;
    fitToText();
}

QColor HyperLink::textColour() const
{
    return hovering_ ? hoverColour_ : visited_ ? visitedColour_ : linkColour_;
}

void HyperLink::open()
{
    setHovering(false);
    // A link with no target (one that was refused) has nothing to find.
    constexpr int kNotFound = 2;
    const int result = url().isEmpty() ? kNotFound : opener_.openUrl(url().toStdString());
    setVisited(openSucceeded(result));
    if (!visited_) {
        QApplication::beep();
        messages_.show(openFailureMessage(result), "Kubrix", MessageIcon::Warning,
                       MessageButtons::Ok);
    }
}

void HyperLink::enterEvent(QEnterEvent* event)
{
    setHovering(true);
    QLabel::enterEvent(event);
}

void HyperLink::leaveEvent(QEvent* event)
{
    setHovering(false);
    QLabel::leaveEvent(event);
}

void HyperLink::mouseMoveEvent(QMouseEvent* event)
{
    // After a click the pointer is still over the link: the next move makes it hover again.
    setHovering(rect().contains(event->position().toPoint()));
    QLabel::mouseMoveEvent(event);
}

void HyperLink::mousePressEvent(QMouseEvent* event)
{
    event->setAccepted(event->button() == Qt::LeftButton);
}

void HyperLink::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        open();
}

void HyperLink::setHovering(bool on)
{
    if (hovering_ == on)
        return;
    hovering_ = on;
    restyle();
}

void HyperLink::restyle()
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, textColour());
    setPalette(colours);
    QFont face = font();
    face.setUnderline(underline_ == Underline::Always ||
                      (underline_ == Underline::WhileHovering && hovering_));
    setFont(face);
}

void HyperLink::fitToText()
{
    if (!autoSize_) {
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        return;
    }
    // A layout takes the fixed size from the hint; without one the control shrinks or grows
    // about the edge or centre its alignment names.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    const QSize size = sizeHint();
    const QRect old = geometry();
    const Qt::Alignment align = alignment();
    const int left = align.testFlag(Qt::AlignHCenter) ? old.center().x() - size.width() / 2
                     : align.testFlag(Qt::AlignRight) ? old.right() + 1 - size.width()
                                                      : old.left();
    const int top =
        align.testFlag(Qt::AlignVCenter) ? old.center().y() - size.height() / 2 : old.top();
    setGeometry(left, top, size.width(), size.height());
    updateGeometry();
}

} // namespace kubrix
