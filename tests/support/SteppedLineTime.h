// A line time for tests of the simulated line: a reader's wait jumps straight to its wake-up, so every
// delay is exact and takes no real time. For one thread: a wait never sees another thread's bytes.
#pragma once

#include "camsim/LineTime.h"

#include <algorithm>

class SteppedLineTime : public camsim::LineTime {
public:
    Clock::time_point Now() const override { return now_; }
    void WaitUntil(std::condition_variable&, std::unique_lock<std::mutex>&, Clock::time_point until) override
    {
        now_ = std::max(now_, until);
    }
    long long MsSince(Clock::time_point start) const
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(now_ - start).count();
    }

private:
    Clock::time_point now_{};
};
