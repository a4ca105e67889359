// The program's message boxes: the message seam shown as a QMessageBox.
#include "platform/ui/qt_messages.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QString>

namespace kubrix {

namespace {

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(MessageButtons buttons)
{
    return buttons == MessageButtons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                            : QMessageBox::StandardButtons(QMessageBox::Ok);
}

} // namespace

QtMessages::QtMessages(QWidget* parent) : parent_(parent)
{
}

MessageAnswer QtMessages::show(std::string_view text, std::string_view caption, MessageIcon icon,
                               MessageButtons buttons)
{
    QMessageBox box(boxIcon(icon), toQString(caption), toQString(text), boxButtons(buttons),
                    parent_);
    // The texts are fixed sentences and file names, never markup: a "<" must show as itself.
    box.setTextFormat(Qt::PlainText);
    box.exec();
    // Escape and the close button count as the box's escape button (No, or the only Ok);
    // Cancel is left for a box that was closed from outside without any button.
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    default:
        return MessageAnswer::Cancel;
    }
}

} // namespace kubrix
