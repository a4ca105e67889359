// A message seam that records every message and answers from a script.
#pragma once

#include "core/base/messages.h"

#include <deque>
#include <string>
#include <vector>

namespace kubrix::test {

class RecordingMessages final : public Messages {
public:
    struct Shown {
        std::string text;
        std::string caption;
        MessageIcon icon;
        MessageButtons buttons;
    };

    MessageAnswer show(std::string_view text, std::string_view caption, MessageIcon icon,
                       MessageButtons buttons) override
    {
        shown.push_back({std::string(text), std::string(caption), icon, buttons});
        if (answers.empty())
            return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<std::string> texts() const
    {
        std::vector<std::string> result;
        for (const Shown& s : shown)
            result.push_back(s.text);
        return result;
    }

    std::vector<Shown> shown;
    std::deque<MessageAnswer> answers;
};

} // namespace kubrix::test
