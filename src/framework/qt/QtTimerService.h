// Repeating timers on the user-interface thread, done with QTimer.
#pragma once

#include "framework/TimerService.h"

#include <map>
#include <memory>

class QTimer;

class QtTimerService : public TimerService {
public:
    QtTimerService();
    ~QtTimerService() override;
    QtTimerService(const QtTimerService&) = delete;
    QtTimerService& operator=(const QtTimerService&) = delete;

    int StartTimer(int intervalMs, std::function<void()> callback) override;
    void StopTimer(int timerId) override;

private:
    std::map<int, std::unique_ptr<QTimer>> timers_;
    int nextId_ = 1;
};
