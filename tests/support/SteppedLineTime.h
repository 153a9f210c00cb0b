// A line time for tests of the simulated line: a reader's wait jumps straight to its wake-up, so every
// delay is exact and takes no real time. It is also the clock of a link to that line, whose waits and
// time-outs then pass the same way. For one thread: a wait never sees another thread's bytes.
#pragma once

#include "camsim/LineTime.h"
#include "link/LinkClock.h"

#include <algorithm>

class SteppedLineTime : public camsim::LineTime, public LinkClock {
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
    int NowMs() const { return static_cast<int>(MsSince(Clock::time_point{})); }

    std::int64_t NowUs() override
    {
        return std::chrono::duration_cast<std::chrono::microseconds>(now_.time_since_epoch()).count();
    }
    void Pause(int ms) override { now_ += std::chrono::milliseconds(ms > 0 ? ms : 0); }

private:
    Clock::time_point now_{};
};
