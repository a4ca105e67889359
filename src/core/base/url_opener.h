// The seam through which the program opens a web or mail address with the desktop's handler.
#pragma once

#include <string>
#include <string_view>

namespace kubrix {

// Result codes of opening an address, as the game has always known them: greater than 32 is
// success; 0 to 32 are the failures that have a text of their own (2 file not found, 26 sharing
// violation, 31 no associated application...); any other value is an unknown error.
class UrlOpener {
public:
    static constexpr int kOpened = 42;

    virtual ~UrlOpener() = default;
    virtual int openUrl(std::string_view target) = 0;
};

inline bool openSucceeded(int code)
{
    return code > 32;
}

// What a failed open tells the player: "Unable to open hyperlink:\n\n" and the code's text.
std::string openFailureMessage(int code);

} // namespace kubrix
