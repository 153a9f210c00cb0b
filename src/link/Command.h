// The camera's command protocol: setting and query lines out, acknowledgements and answers back.
#pragma once

#include "framework/OperatorHosts.h"
#include "link/CommandAnswer.h"
#include "tables/ControlTable.h"

#include <deque>
#include <string>

class SerialLink;

// Told how each request ended, once the online status has been set from it: the fault drills check that
// the status the operator sees is the one the last request left.
class RequestWatch {
public:
    virtual ~RequestWatch() = default;
    virtual void RequestEnded(const RequestOutcome& outcome) = 0;
};

// Everything here runs on the user-interface thread. One request at a time: a request sends its line
// and waits for the one answer line before it returns; the background poll does nothing meanwhile.
// The waits end as soon as the serial port's reader thread delivers bytes; the 20 ms and 10 ms steps
// are only the longest single waits. Every wait and time-out is measured on the link's clock.
class Command : public ValueSender {
public:
    // Every request since the protocol was made, by how it ended (scripts report them).
    struct RequestCounts {
        int answered = 0;
        int refused = 0;
        int timedOut = 0;
        int notSent = 0;
    };

    static constexpr int kLineBufferSize = 1024;  // a line holds at most 1023 bytes before its LF
    static constexpr int kPollIntervalMs = 25;
    static constexpr int kWaitStepMs = 20;
    static constexpr int kByteLimitMs = 10;
    static constexpr int kPaintAfterMs = 100;  // longer waits keep the windows painted

    // Waits paint through the hosts' user interface, the poll runs on their timers, and every answer or
    // silence goes to their online-status registry.
    Command(SerialLink& link, OperatorHosts hosts);
    ~Command() override;
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

    // One request each; the outcome says how it ended. Nothing here speaks to the operator: the caller
    // that owns the action shows a failure (RequestOutcome::FailureText) or counts it into a summary.
    RequestOutcome Set(int commandIndex, int value, int timeoutMs) override;
    RequestOutcome SetText(int commandIndex, const std::string& text, int timeoutMs);
    RequestOutcome Ask(int commandIndex, int timeoutMs);

    const RequestCounts& Counts() const { return counts_; }
    void SetRequestWatch(RequestWatch* watch) { watch_ = watch; }
    void ResetCounts() { counts_ = {}; }

    // Starts the 25 ms background poll that logs and queues lines arriving outside requests.
    void StartPolling();
    void StopPolling();
    bool IsPolling() const { return timerId_ != 0; }
    bool IsBusy() const { return busy_; }
    // Caps the time-out of every request (0: none). Fault drills and tests use it so that a silent camera
    // costs a fraction of a second per request instead of the camera's real seconds.
    void SetTimeoutLimitMs(int limitMs) { timeoutLimitMs_ = limitMs; }
    int TimeoutLimitMs() const { return timeoutLimitMs_; }

    // Reads bytes (each within 10 ms) until a line is complete; 1 when a line was queued. A partial line
    // stays in the buffer for the next call.
    int ReadLine(bool log);
    // Empties the line buffer and the queue; a line being dropped for its length ends here too, so the
    // next request's answer is read whole.
    void ClearReceived();
    // The oldest received line, removed from the queue; empty when there is none.
    std::string TakeLine();
    int ReceivedCount() const { return static_cast<int>(received_.size()); }

private:
    // stopAfterMs >= 0 also ends the read (keeping the partial line) once that much time has passed, so
    // that a stream of bytes without a line end cannot hold a request past its time-out.
    int ReadLineWithin(bool log, int byteLimitMs, int stopAfterMs = -1);
    void OnPollTimer();
    void DropStaleInput();
    // Waits for the answer line. After a time-out, the first line for which `stale` is true (the late
    // answer to the request given up) is logged and passed over, and the wait goes on.
    bool WaitForLine(int timeoutMs, std::string& line, bool (*stale)(const std::string& line, const std::string& asked),
                     const std::string& asked);
    RequestOutcome Send(int commandIndex, const CommandValue& value, int timeoutMs);
    RequestOutcome Finish(RequestOutcome outcome);

    SerialLink& link_;
    OperatorHosts hosts_;
    char lineBuffer_[kLineBufferSize] = {};
    int byteCount_ = 0;
    bool discarding_ = false;  // after an overflow: the rest of that line up to its LF is dropped
    std::deque<std::string> received_;
    bool busy_ = false;  // a request or a poll is reading the link
    bool overflowed_ = false;  // a line over the buffer was dropped since the request began
    RequestCounts counts_;
    bool lateAnswerDue_ = false;  // the last request timed out; its answer may still come
    int timerId_ = 0;
    int timeoutLimitMs_ = 0;
    RequestWatch* watch_ = nullptr;
};
