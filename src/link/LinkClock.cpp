// The link's real clock.
#include "link/LinkClock.h"

#include <chrono>
#include <thread>

SteadyLinkClock& SteadyLinkClock::Instance()
{
    static SteadyLinkClock clock;
    return clock;
}

std::int64_t SteadyLinkClock::NowUs()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void SteadyLinkClock::Pause(int ms)
{
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
