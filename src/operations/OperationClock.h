// The time the one-shot operations measure and wait by. Tests install a clock whose pauses take no time.
#pragma once

#include <cstdint>

class UiHost;

class OperationClock {
public:
    virtual ~OperationClock() = default;
    virtual std::int64_t NowMs() = 0;
    // Waits this long; the windows stay painted meanwhile but take no input.
    virtual void Pause(int ms) = 0;
};

// The real clock: a steady clock, and pauses that let the windows repaint every few milliseconds.
class SteadyOperationClock : public OperationClock {
public:
    explicit SteadyOperationClock(UiHost& ui) : ui_(ui) {}
    std::int64_t NowMs() override;
    void Pause(int ms) override;

private:
    UiHost& ui_;
};
