// The queue of operator actions that arrived while the camera was busy.
#include "operations/OperationGate.h"

#include "framework/TimerService.h"

namespace {
constexpr int kRetryMs = 50;
}

OperationGate::~OperationGate() { StopRetry(); }

bool OperationGate::Busy() const { return depth_ > 0 || (externalBusy_ && externalBusy_()); }

bool OperationGate::Run(std::function<void()> action)
{
    if (Busy()) {
        Queue(std::move(action));
        return false;
    }
    {
        Hold hold(*this);
        action();
    }
    return true;
}

void OperationGate::Queue(std::function<void()> action)
{
    queued_.push_back(std::move(action));
    if (depth_ == 0) RetryLater();
}

void OperationGate::RetryLater()
{
    if (retryTimer_ != 0) return;
    retryTimer_ = timers_.StartTimer(kRetryMs, [this] {
        if (depth_ == 0 && !Busy()) Drain();
        if (queued_.empty() || depth_ > 0) StopRetry();  // a holder drains at its end
    });
}

void OperationGate::StopRetry()
{
    if (retryTimer_ == 0) return;
    timers_.StopTimer(retryTimer_);
    retryTimer_ = 0;
}

void OperationGate::Drain()
{
    // An action may queue further actions (its own waits run window messages); they run in turn here.
    if (draining_) return;
    draining_ = true;
    while (!queued_.empty() && !Busy()) {
        std::function<void()> next = std::move(queued_.front());
        queued_.pop_front();
        Hold hold(*this);
        next();
    }
    draining_ = false;
}

OperationGate::Hold::Hold(OperationGate& gate) : gate_(gate) { ++gate_.depth_; }

OperationGate::Hold::~Hold()
{
    if (--gate_.depth_ == 0 && !gate_.draining_) gate_.Drain();
}
