// QTimer-based timer service.
#include "framework/qt/QtTimerService.h"

#include <QTimer>

QtTimerService::QtTimerService() = default;

QtTimerService::~QtTimerService()
{
    timers_.clear();
}

int QtTimerService::StartTimer(int intervalMs, std::function<void()> callback)
{
    if (intervalMs < 0 || !callback) return 0;
    const int id = nextId_++;
    auto timer = std::make_unique<QTimer>();
    timer->setInterval(intervalMs);
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer.get(), &QTimer::timeout, [callback = std::move(callback)] { callback(); });
    timer->start();
    timers_[id] = std::move(timer);
    return id;
}

void QtTimerService::StopTimer(int timerId)
{
    // A callback may stop its own timer: delete it once control is back in the event loop.
    auto it = timers_.find(timerId);
    if (it == timers_.end()) return;
    it->second->stop();
    it->second.release()->deleteLater();
    timers_.erase(it);
}
