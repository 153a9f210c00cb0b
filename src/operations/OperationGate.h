// One operation at a time: keys and menu commands that arrive while an operation or a request is under
// way (window messages run during the waits) are queued and run whole once it has ended.
#pragma once

#include <deque>
#include <functional>

class TimerService;

class OperationGate {
public:
    // Retries of queued actions run on the timers.
    explicit OperationGate(TimerService& timers) : timers_(timers) {}
    OperationGate(const OperationGate&) = delete;
    OperationGate& operator=(const OperationGate&) = delete;

    // Tells whether something outside the gate holds the camera (a request waiting, a read of all
    // settings); an action arriving meanwhile is queued too.
    void SetExternalBusy(std::function<bool()> busy) { externalBusy_ = std::move(busy); }

    bool Busy() const;
    // Runs the action now when nothing is under way, else queues it; queued actions run, in their order,
    // when the operation that holds the gate ends. Gives true when the action ran at once.
    bool Run(std::function<void()> action);
    // Queues without running; Drain runs the queue.
    void Queue(std::function<void()> action);
    void Drain();
    ~OperationGate();
    int QueuedCount() const { return static_cast<int>(queued_.size()); }

    // Holds the gate for the lifetime of the object; the outermost holder drains the queue at its end.
    class Hold {
    public:
        explicit Hold(OperationGate& gate);
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        OperationGate& gate_;
    };

private:
    // An action queued while only something outside the gate was busy has no holder to run it at its end:
    // a timer of the timer service tries again until the queue is empty.
    void RetryLater();
    void StopRetry();

    TimerService& timers_;
    int depth_ = 0;
    int retryTimer_ = 0;
    bool draining_ = false;
    std::deque<std::function<void()>> queued_;
    std::function<bool()> externalBusy_;
};
