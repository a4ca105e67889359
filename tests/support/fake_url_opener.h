// An address opener that records the targets and answers with a chosen result code.
#pragma once

#include "core/base/url_opener.h"

#include <string>
#include <vector>

namespace kubrix::test {

class FakeUrlOpener final : public UrlOpener {
public:
    int openUrl(std::string_view target) override
    {
        opened.emplace_back(target);
        return result;
    }

    int result = kOpened;
    std::vector<std::string> opened;
};

} // namespace kubrix::test
