// The skin information popup.
#include "platform/ui/skin_info_popup.h"

#include "platform/ui/hyper_link.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <tuple>
#include <utility>

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

void addLine(QVBoxLayout& layout, QLabel* line, const char* name)
{
    line->setObjectName(QString::fromLatin1(name));
    line->setAlignment(Qt::AlignCenter);
    layout.addWidget(line, 0, Qt::AlignHCenter);
}

} // namespace

QString skinWebTarget(const QString& text)
{
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https");
    return url.isValid() && web && !url.host().isEmpty() ? text : QString();
}

QString skinEmailTarget(const QString& address)
{
    return QStringLiteral("mailto:") + address.section(u'?', 0, 0);
}

SkinInfoPopup::SkinInfoPopup(UrlOpener& opener, Messages& messages)
    : opener_(opener), messages_(messages)
{
}

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
    for (const auto& [name, info] : {std::pair{kNameLine, kInfoName}, {kAuthorLine, kInfoAuthor}}) {
        auto* line = new QLabel;
        line->setTextFormat(Qt::PlainText);
        line->setText(shown(textOf(package, info)));
        addLine(*lines, line, name);
    }
    // The e-mail link opens a message to the address; both links fit their texts.
    const QString email = textOf(package, kInfoEmail);
    const QString web = textOf(package, kInfoWeb);
    for (const auto& [name, target, text] :
         {std::tuple{kEmailLine, skinEmailTarget(email), email},
          {kWebLine, skinWebTarget(web), web}}) {
        auto* link = new HyperLink({}, opener_, messages_);
        link->setUrl(target);
        link->setLinkText(shown(text));
        link->setAutoSize(true);
        addLine(*lines, link, name);
    }

    auto* outer = new QVBoxLayout(&popup);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    // Precise: a coarse timer may fire up to 5 % early.
    QTimer::singleShot(kShowMs, Qt::PreciseTimer, &popup, &QDialog::accept);
    popup.exec();
}

} // namespace kubrix
