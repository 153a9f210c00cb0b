// Limits how often a transfer repaints its progress window and lets window messages run.
#pragma once

#include <chrono>

// A transfer step takes about two milliseconds on the line; repainting the progress window after every
// one would cost as much as the step itself. Ten updates a second keep the count readable and cost next to nothing,
// so the window is updated when this much time has passed, and always for the first and the last step.
class ProgressThrottle {
public:
    static constexpr std::chrono::milliseconds kInterval{100};

    bool Due(bool firstOrLast)
    {
        const auto now = std::chrono::steady_clock::now();
        if (!firstOrLast && started_ && now - last_ < kInterval) return false;
        started_ = true;
        last_ = now;
        return true;
    }

private:
    bool started_ = false;
    std::chrono::steady_clock::time_point last_{};
};
