// A manual-reset event: once set it stays set, and every waiter passes until it is reset.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace kubrix {

class ManualResetEvent {
public:
    void set();
    void reset();
    bool isSet() const;
    void wait() const;
    // Returns true when the event was set within the time limit.
    bool waitFor(std::chrono::milliseconds limit) const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    bool set_ = false;
};

} // namespace kubrix
