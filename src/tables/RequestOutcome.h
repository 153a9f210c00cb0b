// How one request to the camera ended, as the protocol saw it; the layer that owns the operator's action
// decides from it what to say.
#pragma once

#include "tables/CommandValue.h"

#include <string>

enum class RequestResult {
    Answered,  // acknowledged (a setting) or answered with the command's own value (a query)
    Refused,  // the camera answered, but not with what was asked: `answer` holds its line
    TimedOut,  // no answer line within the time-out
    NotSent,  // the line could not go out (no link, port gone, or a value the line cannot carry)
};

struct RequestOutcome {
    RequestResult result = RequestResult::NotSent;
    std::string request;  // the line asked, without its line end ("GA=512", "GA?")
    std::string answer;  // the camera's answer line (refused: what it said instead)
    CommandValue value;  // an answered query: its value
    bool query = false;
    // The tool's own explanation of a failure the camera did not word: a line over the receive buffer
    // that was dropped while waiting, or a value that cannot go on the line.
    std::string note;

    bool Answered() const { return result == RequestResult::Answered; }
    bool Refused() const { return result == RequestResult::Refused; }
    // No answer at all: the camera is silent or cannot be reached. Two of these in a row end a bulk operation.
    bool Unanswered() const { return result == RequestResult::TimedOut || result == RequestResult::NotSent; }
    explicit operator bool() const { return Answered(); }

    // The outcome of a run of requests that were all answered (or of none at all): nothing to say.
    static RequestOutcome AllAnswered()
    {
        RequestOutcome outcome;
        outcome.result = RequestResult::Answered;
        return outcome;
    }

    // What the operator is told when this request was a single action: the refused acknowledgement as the
    // camera sent it, a refused query as "<answer> for <query>", else the note. Empty when there is
    // nothing to say (an answer, or a plain time-out, which the online status shows).
    std::string FailureText() const
    {
        if (result == RequestResult::Refused) return query ? answer + " for " + request : answer;
        if (result == RequestResult::Answered) return {};
        return note;
    }
};
