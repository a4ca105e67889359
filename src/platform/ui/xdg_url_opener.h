// Opens web and mail addresses with the desktop's handler through xdg-open.
#pragma once

#include "core/base/url_opener.h"

namespace kubrix {

class XdgUrlOpener final : public UrlOpener {
public:
    // How long a click waits for xdg-open's answer. Without a desktop environment xdg-open
    // may run the browser itself and return only when it closes; past this time the handler
    // counts as started and is left to run.
    static constexpr int kAnswerMs = 2000;

    int openUrl(std::string_view target) override;
};

} // namespace kubrix
