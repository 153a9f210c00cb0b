// A timer service whose timers fire only when the test says so.
#include "support/ManualTimerService.h"

#include "support/TestHosts.h"

#include <vector>

ManualTimerService::ManualTimerService() : previous_(SetTimerService(this)) {}

ManualTimerService::~ManualTimerService() { SetTimerService(previous_); }

int ManualTimerService::StartTimer(int intervalMs, std::function<void()> callback)
{
    const int id = nextId_++;
    timers_[id] = Timer{intervalMs, std::move(callback)};
    return id;
}

void ManualTimerService::StopTimer(int timerId) { timers_.erase(timerId); }

void ManualTimerService::FireAll()
{
    // A callback may stop or start timers: fire a snapshot of the ids.
    std::vector<int> ids;
    for (const auto& [id, timer] : timers_) ids.push_back(id);
    for (int id : ids) {
        auto it = timers_.find(id);
        if (it != timers_.end()) {
            auto callback = it->second.callback;
            callback();
        }
    }
}

int ManualTimerService::IntervalOf(int timerId) const
{
    auto it = timers_.find(timerId);
    return it == timers_.end() ? -1 : it->second.intervalMs;
}
