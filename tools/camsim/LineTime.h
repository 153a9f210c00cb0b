// The simulated line's sense of time: when bytes are due, and how a reader waits for them.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace camsim {

// The steady clock and a real wait by default. A test may put a time of its own in its place, one that
// jumps to each wake-up instead of waiting, so that delays, wire time and pauses are checked exactly and
// in no real time.
class LineTime {
public:
    using Clock = std::chrono::steady_clock;

    virtual ~LineTime() = default;
    virtual Clock::time_point Now() const = 0;
    // Waits with `lock` held on `wakeUp` until `until` or a notification, whichever comes first.
    virtual void WaitUntil(std::condition_variable& wakeUp, std::unique_lock<std::mutex>& lock,
                           Clock::time_point until) = 0;

    static LineTime& Steady();  // the real one, shared
};

}  // namespace camsim
