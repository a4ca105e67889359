// The once-per-run check for a newer version: its state, its three events and its worker.
#pragma once

#include "core/base/manual_reset_event.h"
#include "core/base/settings_store.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace kubrix {

// Where the version document comes from (an HTTP GET of "/catalog/kubrix/version.txt").
// Returns nothing when it could not be fetched. A fetch gives up soon after exitRequested is
// set, so that a slow or silent server never holds up the program's exit.
class VersionSource {
public:
    virtual ~VersionSource() = default;
    virtual std::optional<std::string>
    fetchVersionDocument(const ManualResetEvent& exitRequested) = 0;
};

// The events the user-interface thread and the worker coordinate by; owned by the application.
struct UpdateEvents {
    ManualResetEvent mainWindowShown;
    ManualResetEvent exitRequested;
    ManualResetEvent updateFinished;
};

class UpdateCheck {
public:
    static constexpr std::int32_t kModeFound = 2;
    static constexpr std::size_t kMaxDocumentBytes = 8192;

    // source may be null: the worker then finds nothing.
    UpdateCheck(UpdateEvents& events, VersionSource* source);
    ~UpdateCheck();
    UpdateCheck(const UpdateCheck&) = delete;
    UpdateCheck& operator=(const UpdateCheck&) = delete;

    // Reads the mode and the known version; starts the worker only when the player enabled
    // the check, otherwise marks the check finished at once.
    void start(const SettingsStore& store);
    // The main window's first paint: the worker may go to the network now.
    void signalFirstPaint();
    // Timer: true once when a newer version was found and no game is in progress; the mode
    // then drops back to 1 and the caller shows the notice.
    bool pollUpdateNotice(bool gameInProgress);
    // The worker is still looking, or found a version the notice has yet to announce: the
    // timer keeps polling.
    bool awaitingNotice() const
    {
        return (started_ && !events_.updateFinished.isSet()) || mode_ == kModeFound;
    }
    // Asks the worker to stop and waits for it to finish.
    void stop();

    // The box of both update dialogs is checked unless the player turned the check off.
    bool checksWanted() const { return mode_ != 0; }
    // OK in either update dialog: the check is on or off from the next start. A newer version
    // found but not yet announced is dropped for this run, and announced by the next check.
    void chooseChecks(bool wanted, SettingsStore& store);
    // After the notice, whatever the player chose in it: the version it announced is known.
    void noticeShown(SettingsStore& store) const;

    bool workerStarted() const { return worker_.joinable(); }
    std::int32_t mode() const { return mode_.load(); }
    void setMode(std::int32_t mode) { mode_.store(mode); }
    std::int32_t knownVersion() const { return knownVersion_.load(); }

private:
    void run();

    UpdateEvents& events_;
    VersionSource* source_;
    std::atomic<std::int32_t> mode_{-1};
    std::atomic<std::int32_t> knownVersion_{0};
    std::thread worker_;
    bool started_ = false;
};

// The leading decimal number of the version document, read as atoi reads it (leading blanks,
// an optional sign, digits; no number gives 0).
std::int32_t parseVersionNumber(std::string_view document);

} // namespace kubrix
