// The stop rule of operations made of many requests: the second unanswered request in a row means the
// camera is gone.
#pragma once

#include "tables/RequestOutcome.h"

// Judged from the requests' outcomes alone: a refusal is an answer, so it never counts toward the
// streak and ends it; a request that timed out or could not go out does.
class RequestStreak {
public:
    // Records how a request ended; gives the outcome back so that a call can be wrapped in place.
    RequestOutcome Record(RequestOutcome outcome)
    {
        lastUnanswered_ = outcome.Unanswered();
        inRow_ = lastUnanswered_ ? inRow_ + 1 : 0;
        return outcome;
    }
    bool LastUnanswered() const { return lastUnanswered_; }
    bool CameraGone() const { return inRow_ >= 2; }
    void Reset()
    {
        inRow_ = 0;
        lastUnanswered_ = false;
    }

private:
    int inRow_ = 0;
    bool lastUnanswered_ = false;
};
