// A timer service for tests: timers run only when the test fires them.
#pragma once

#include "framework/TimerService.h"

#include <map>

class ManualTimerService : public TimerService {
public:
    ManualTimerService();  // installs itself; the previous service comes back at destruction
    ~ManualTimerService() override;
    ManualTimerService(const ManualTimerService&) = delete;
    ManualTimerService& operator=(const ManualTimerService&) = delete;

    int StartTimer(int intervalMs, std::function<void()> callback) override;
    void StopTimer(int timerId) override;

    // Runs every running timer's callback once, in the order they were started.
    void FireAll();
    int RunningCount() const { return static_cast<int>(timers_.size()); }
    int IntervalOf(int timerId) const;

private:
    struct Timer {
        int intervalMs;
        std::function<void()> callback;
    };
    TimerService* previous_;
    std::map<int, Timer> timers_;
    int nextId_ = 1;
};
