// A link clock for tests: time moves only when the link or a scripted channel waits, by exactly the wait.
#pragma once

#include "link/LinkClock.h"

class ManualLinkClock : public LinkClock {
public:
    std::int64_t NowUs() override { return nowUs_; }
    void Pause(int ms) override { nowUs_ += ms > 0 ? ms * 1000LL : 0; }
    int NowMs() const { return static_cast<int>(nowUs_ / 1000); }

private:
    std::int64_t nowUs_ = 0;
};
