// The self-hiding notice line.
#include "platform/ui/notice_line.h"

#include <QEvent>

namespace kubrix {

NoticeLine::NoticeLine(QWidget& parent) : QLabel(&parent)
{
    setObjectName(QStringLiteral("noticeLine"));
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setMargin(4);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    // A window of its own, so it can lie over a native window in the parent, such as the
    // board's OpenGL window; a plain child widget would be drawn beneath it.
    setAttribute(Qt::WA_NativeWindow);
    hide();
    hideTimer_.setSingleShot(true);
    connect(&hideTimer_, &QTimer::timeout, this, &QWidget::hide);
    parent.installEventFilter(this);
}

void NoticeLine::showNotice(const QString& text)
{
    setText(text);
    place();
    show();
    raise();
    hideTimer_.start(kShowMs);
}

bool NoticeLine::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        place();
    return false;
}

void NoticeLine::place()
{
    const int width = parentWidget()->width();
    const int height = heightForWidth(width);
    setGeometry(0, parentWidget()->height() - height, width, height);
}

} // namespace kubrix
