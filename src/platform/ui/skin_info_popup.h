// The small captionless window that introduces a skin when it is applied.
#pragma once

#include "core/skin/skin_store.h"

#include <QString>

namespace kubrix {

class Messages;
class UrlOpener;

// What a skin's links open. A skin is somebody else's file, so its links open only as what they
// claim to be: the web link an http or https address and nothing else (no local file, no other
// program's scheme), the e-mail link a message to the address without the fields that a "?"
// part could fill in (recipients, attachments).
QString skinWebTarget(const QString& text);
QString skinEmailTarget(const QString& address);

// Shows the skin's name, its author and the author's e-mail and web links, centred on four
// lines, modally, and closes by itself after a few seconds.
class SkinInfoPopup final : public SkinInfoPresenter {
public:
    static constexpr int kShowMs = 3000;

    // Object names of the four lines, from the top.
    static constexpr const char* kNameLine = "name";
    static constexpr const char* kAuthorLine = "author";
    static constexpr const char* kEmailLine = "email";
    static constexpr const char* kWebLine = "web";

    // The links open their targets through opener and report failures through messages.
    SkinInfoPopup(UrlOpener& opener, Messages& messages);

    void showSkinInfo(const SkinPackage& package) override;

private:
    UrlOpener& opener_;
    Messages& messages_;
};

} // namespace kubrix
