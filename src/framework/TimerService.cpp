// The installed timer service.
#include "framework/TimerService.h"

namespace {
TimerService* g_timerService = nullptr;
}

TimerService* SetTimerService(TimerService* service)
{
    TimerService* previous = g_timerService;
    g_timerService = service;
    return previous;
}

TimerService* GetTimerService() { return g_timerService; }
