// Repeating timers for code below the GUI (the protocol's receive poll). The window's is a Qt
// implementation; tests use ManualTimerService and fire timers by hand.
#pragma once

#include <functional>

class TimerService {
public:
    virtual ~TimerService() = default;
    // Starts a repeating timer on the user-interface thread; gives its id (> 0), or 0 on failure.
    virtual int StartTimer(int intervalMs, std::function<void()> callback) = 0;
    virtual void StopTimer(int timerId) = 0;
};

