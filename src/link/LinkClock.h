// The time the link measures its waits and time-outs by. The program runs on the steady clock; tests give
// the link a clock that moves only when something waits, so that a five-second time-out passes at once.
#pragma once

#include <cstdint>

class LinkClock {
public:
    virtual ~LinkClock() = default;
    // Microseconds on a clock that never goes back (fine enough that a wait measured in whole
    // milliseconds never ends early).
    virtual std::int64_t NowUs() = 0;
    // Lets this much time pass while nothing can arrive.
    virtual void Pause(int ms) = 0;
};

// The real clock, shared by every link that was given no other.
class SteadyLinkClock : public LinkClock {
public:
    static SteadyLinkClock& Instance();
    std::int64_t NowUs() override;
    void Pause(int ms) override;
};

// Whole milliseconds since startUs on clock, rounded down.
inline int ElapsedMs(LinkClock& clock, std::int64_t startUs)
{
    return static_cast<int>((clock.NowUs() - startUs) / 1000);
}
