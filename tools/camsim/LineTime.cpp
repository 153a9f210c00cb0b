// The real line time: the steady clock and a condition variable's timed wait.
#include "camsim/LineTime.h"

namespace camsim {
namespace {

class SteadyLineTime : public LineTime {
public:
    Clock::time_point Now() const override { return Clock::now(); }
    void WaitUntil(std::condition_variable& wakeUp, std::unique_lock<std::mutex>& lock,
                   Clock::time_point until) override
    {
        wakeUp.wait_until(lock, until);
    }
};

}  // namespace

LineTime& LineTime::Steady()
{
    static SteadyLineTime time;
    return time;
}

}  // namespace camsim
