// A manual-reset event on the standard library's condition variable.
#include "core/base/manual_reset_event.h"

namespace kubrix {

void ManualResetEvent::set()
{
    {
        const std::lock_guard lock(mutex_);
        set_ = true;
    }
    changed_.notify_all();
}

void ManualResetEvent::reset()
{
    const std::lock_guard lock(mutex_);
    set_ = false;
}

bool ManualResetEvent::isSet() const
{
    const std::lock_guard lock(mutex_);
    return set_;
}

void ManualResetEvent::wait() const
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return set_; });
}

bool ManualResetEvent::waitFor(std::chrono::milliseconds limit) const
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, limit, [this] { return set_; });
}

} // namespace kubrix
