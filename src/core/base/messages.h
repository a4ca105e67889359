// The message seam: every message box of the program goes through this one interface.
#pragma once

#include <string_view>

namespace kubrix {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No, Cancel };

class Messages {
public:
    virtual ~Messages() = default;
    // Shows the text modally and returns the button the user chose.
    virtual MessageAnswer show(std::string_view text, std::string_view caption, MessageIcon icon,
                               MessageButtons buttons) = 0;
};

} // namespace kubrix
