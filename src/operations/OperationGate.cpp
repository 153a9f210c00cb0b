// The queue of operator actions that arrived while the camera was busy.
#include "operations/OperationGate.h"

bool OperationGate::Busy() const { return depth_ > 0 || (externalBusy_ && externalBusy_()); }

bool OperationGate::Run(std::function<void()> action)
{
    if (Busy()) {
        queued_.push_back(std::move(action));
        return false;
    }
    {
        Hold hold(*this);
        action();
    }
    return true;
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
