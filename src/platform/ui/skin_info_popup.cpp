// The skin information popup.
#include "platform/ui/skin_info_popup.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace kubrix {

namespace {

// The info slots of a skin package, in slot order.
constexpr int kInfoAuthor = 0;
constexpr int kInfoEmail = 1;
constexpr int kInfoWeb = 2;
constexpr int kInfoName = 3;

// A package may hold megabytes of text in one line; a window as wide as that would cost
// gigabytes, so a text is cut short and then elided to half the screen.
constexpr std::size_t kMaxInfoChars = 512;

QString textOf(const SkinPackage& package, int info)
{
    return QString::fromStdString(package.infoText(info).substr(0, kMaxInfoChars));
}

QString shown(const QString& text)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int width = screen ? screen->availableGeometry().width() / 2 : 640;
    return QFontMetrics(QApplication::font()).elidedText(text, Qt::ElideRight, width);
}

QLabel* addLine(QVBoxLayout& layout, const char* name, const QString& text)
{
    auto* line = new QLabel;
    line->setObjectName(QString::fromLatin1(name));
    line->setAlignment(Qt::AlignCenter);
    line->setTextFormat(Qt::PlainText);
    line->setText(shown(text));
    layout.addWidget(line);
    return line;
}

// The skin's texts are the author's, never markup: both the shown text and the target are
// escaped, so a stray "<" or quote shows as itself.
QLabel* addLink(QVBoxLayout& layout, const char* name, const QString& target, const QString& text)
{
    QLabel* line = addLine(layout, name, QString());
    line->setTextFormat(Qt::RichText);
    line->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                      .arg(target.toHtmlEscaped(), shown(text).toHtmlEscaped()));
    line->setOpenExternalLinks(true);
    line->setTextInteractionFlags(Qt::TextBrowserInteraction);
    return line;
}

} // namespace

void SkinInfoPopup::showSkinInfo(const SkinPackage& package)
{
    QDialog popup(QApplication::activeWindow(), Qt::Dialog | Qt::FramelessWindowHint);
    popup.setObjectName(QStringLiteral("SkinInfoPopup"));
    popup.setModal(true);

    auto* frame = new QFrame(&popup);
    frame->setFrameShape(QFrame::Box);
    frame->setLineWidth(1);
    auto* lines = new QVBoxLayout(frame);
    lines->setContentsMargins(24, 12, 24, 12);
    addLine(*lines, kNameLine, textOf(package, kInfoName));
    addLine(*lines, kAuthorLine, textOf(package, kInfoAuthor));
    const QString email = textOf(package, kInfoEmail);
    addLink(*lines, kEmailLine, QStringLiteral("mailto:") + email, email);
    const QString web = textOf(package, kInfoWeb);
    addLink(*lines, kWebLine, web, web);

    auto* outer = new QVBoxLayout(&popup);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    // Precise: a coarse timer may fire up to 5 % early.
    QTimer::singleShot(kShowMs, Qt::PreciseTimer, &popup, &QDialog::accept);
    popup.exec();
}

} // namespace kubrix
