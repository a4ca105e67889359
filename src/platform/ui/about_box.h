// The "About Kubrix" box: the product artwork on black and a link to the maker's web site.
#pragma once

#include <QDialog>

#include <string>

namespace kubrix {

class Messages;
class UrlOpener;

class AboutBox final : public QDialog {
    Q_OBJECT

public:
    // The link's object name is its control id; its light colours suit the black ground.
    static constexpr int kLinkId = 1013;
    static constexpr QRgb kLinkColour = qRgb(128, 192, 255);
    static constexpr QRgb kVisitedColour = qRgb(255, 192, 128);
    static constexpr QRgb kHoverColour = qRgb(192, 220, 255);
    // Drawn at build time by the skin art generator, in the built-in skin's style.
    static constexpr const char* kArtwork = ":/art/about.png";

    AboutBox(const std::string& siteAddress, UrlOpener& opener, Messages& messages,
             QWidget* parent = nullptr);
};

} // namespace kubrix
