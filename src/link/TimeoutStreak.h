// The stop rule of operations made of many requests: the second time-out in a row means the camera is gone.
#pragma once

#include "link/Command.h"

#include <chrono>

// The protocol reports a time-out and a refusal alike as 0; a refusal comes back as soon as the camera's
// answer line arrives, a time-out only once the whole time-out has passed. So a failed request that took
// its full time-out counts as a time-out, anything else as an answer. With the protocol given, its own
// word counts as well: a request whose line could not go out, or whose time-out the protocol shortened,
// had no answer either.
class TimeoutStreak {
public:
    TimeoutStreak() = default;
    explicit TimeoutStreak(const Command& command) : command_(&command) {}

    // Runs one request (a callable giving 1 or 0) and records how it ended; gives the request's result.
    template <typename Request>
    int Run(int timeoutMs, Request&& request)
    {
        const auto start = std::chrono::steady_clock::now();
        const int result = request();
        const auto elapsed = std::chrono::steady_clock::now() - start;
        lastTimedOut_ = result == 0 && (elapsed >= std::chrono::milliseconds(timeoutMs) ||
                                        (command_ && command_->LastRequestTimedOut()));
        inRow_ = lastTimedOut_ ? inRow_ + 1 : 0;
        return result;
    }

    bool LastTimedOut() const { return lastTimedOut_; }
    // The second time-out in a row has happened: the operation ends here.
    bool CameraGone() const { return inRow_ >= 2; }
    void Reset()
    {
        inRow_ = 0;
        lastTimedOut_ = false;
    }

private:
    const Command* command_ = nullptr;
    int inRow_ = 0;
    bool lastTimedOut_ = false;
};
