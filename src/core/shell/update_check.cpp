// The once-per-run check for a newer version.
#include "core/shell/update_check.h"

#include "core/base/settings_table.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <limits>

namespace kubrix {

UpdateCheck::UpdateCheck(UpdateEvents& events, VersionSource* source)
    : events_(events), source_(source)
{
}

UpdateCheck::~UpdateCheck()
{
    if (worker_.joinable()) {
        events_.exitRequested.set();
        worker_.join();
    }
}

void UpdateCheck::start(const SettingsStore& store)
{
    started_ = true;
    mode_ = settings::read(store, settings::updateMode);
    knownVersion_ = settings::read(store, settings::updateKnownVersion);
    if (mode_ < 1) {
        events_.updateFinished.set();
        return;
    }
    worker_ = std::thread([this] { run(); });
}

void UpdateCheck::signalFirstPaint()
{
    events_.mainWindowShown.set();
}

bool UpdateCheck::pollUpdateNotice(bool gameInProgress)
{
    if (mode_ != kModeFound || gameInProgress)
        return false;
    mode_ = 1;
    return true;
}

void UpdateCheck::stop()
{
    events_.exitRequested.set();
    // Never started: nobody will ever report finished.
    if (!started_)
        return;
    events_.updateFinished.wait();
    if (worker_.joinable())
        worker_.join();
}

void UpdateCheck::chooseChecks(bool wanted, SettingsStore& store)
{
    mode_ = wanted ? 1 : 0;
    settings::write(store, settings::updateMode, mode_);
}

void UpdateCheck::noticeShown(SettingsStore& store) const
{
    settings::write(store, settings::updateKnownVersion, knownVersion_);
}

void UpdateCheck::run()
{
    // The worker waits for whichever comes first, the window being shown or the exit; the
    // standard library has no wait on two events, so it looks at the exit between short waits.
    while (!events_.mainWindowShown.waitFor(std::chrono::milliseconds(20))) {
        if (events_.exitRequested.isSet())
            break;
    }
    if (!events_.exitRequested.isSet() && source_ != nullptr) {
        if (auto document = source_->fetchVersionDocument(events_.exitRequested)) {
            if (document->size() > kMaxDocumentBytes)
                document->resize(kMaxDocumentBytes);
            const std::int32_t version = parseVersionNumber(*document);
            if (version > knownVersion_) {
                knownVersion_ = version;
                // A choice the player made while the fetch ran stands: checks turned off stay off.
                std::int32_t checking = 1;
                mode_.compare_exchange_strong(checking, kModeFound);
            }
        }
    }
    events_.updateFinished.set();
}

std::int32_t parseVersionNumber(std::string_view document)
{
    std::size_t at = 0;
    while (at < document.size() && std::isspace(static_cast<unsigned char>(document[at])) != 0)
        ++at;
    bool negative = false;
    if (at < document.size() && (document[at] == '+' || document[at] == '-')) {
        negative = document[at] == '-';
        ++at;
    }
    // Saturates instead of overflowing on an absurdly long number.
    std::int64_t value = 0;
    constexpr std::int64_t limit = std::numeric_limits<std::int32_t>::max();
    for (; at < document.size() && std::isdigit(static_cast<unsigned char>(document[at])) != 0;
         ++at)
        value = std::min(limit, value * 10 + (document[at] - '0'));
    return static_cast<std::int32_t>(negative ? -value : value);
}

} // namespace kubrix
