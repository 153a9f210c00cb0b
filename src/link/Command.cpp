// The command protocol: the request and receive cycles.
#include "link/Command.h"

#include "base/StrFormat.h"
#include "framework/OnlineStatusRegistry.h"
#include "framework/TimerService.h"
#include "framework/UiHost.h"
#include "link/ProtocolLine.h"
#include "link/SerialLink.h"
#include "tables/CommandTable.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

constexpr const char* kOverflowNote = "RS-232C receiving buffer overflowed";

}  // namespace

Command::Command(SerialLink& link, OperatorHosts hosts) : link_(link), hosts_(hosts) {}

Command::~Command() { StopPolling(); }

// ---- receiving ----

int Command::ReadLine(bool log) { return ReadLineWithin(log, kByteLimitMs); }

int Command::ReadLineWithin(bool log, int byteLimitMs, int stopAfterMs)
{
    LinkClock& clock = link_.Clock();
    const std::int64_t start = clock.NowUs();
    while (true) {
        if (stopAfterMs >= 0 && ElapsedMs(clock, start) > stopAfterMs) return 0;
        std::uint8_t byte;
        if (link_.Read(&byte, 1, byteLimitMs) != 1) return 0;  // the partial line waits for the next call
        if (discarding_) {
            if (byte == '\n') discarding_ = false;
            continue;
        }
        if (byte == '\n') {
            // Lines end in CR LF; a bare LF ends a line just as well, and nothing else is cut off.
            int length = byteCount_;
            if (length > 0 && lineBuffer_[length - 1] == '\r') --length;
            std::string line(lineBuffer_, static_cast<std::size_t>(length));
            byteCount_ = 0;
            received_.push_back(line);
            if (log) link_.LogLine("Rx: ", line);
            return 1;
        }
        lineBuffer_[byteCount_++] = static_cast<char>(byte);
        if (byteCount_ >= kLineBufferSize) {
            byteCount_ = 0;
            // The rest of this line up to its LF is dropped too: its tail must not pass for an answer. The
            // request waiting now (if any) reports the overflow when it ends.
            discarding_ = true;
            overflowed_ = true;
            return 0;
        }
    }
}

void Command::ClearReceived()
{
    byteCount_ = 0;
    discarding_ = false;
    received_.clear();
}

std::string Command::TakeLine()
{
    if (received_.empty()) return {};
    std::string line = std::move(received_.front());
    received_.pop_front();
    return line;
}

void Command::StartPolling()
{
    if (timerId_ != 0) return;
    timerId_ = hosts_.timers.StartTimer(kPollIntervalMs, [this] { OnPollTimer(); });
}

void Command::StopPolling()
{
    if (timerId_ != 0) hosts_.timers.StopTimer(timerId_);
    timerId_ = 0;
}

// Lines arriving outside requests (late answers, lines the camera sends by itself, answers to lines
// typed in the terminal) are logged and queued here. Never waits: it takes what the port has.
void Command::OnPollTimer()
{
    if (busy_) return;
    busy_ = true;
    while (ReadLineWithin(true, 0)) {}
    busy_ = false;
}

// ---- requests ----

namespace {

// Marks the protocol busy for a scope, so that the poll (which may run while a long wait lets windows
// repaint) leaves the link to the request.
class BusyScope {
public:
    explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyScope() { busy_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& busy_;
};

}  // namespace

void Command::DropStaleInput()
{
    // Whatever already arrived (a late answer to a timed-out request that no poll has taken yet) is
    // logged and dropped: a stale line must never answer this request.
    while (ReadLineWithin(true, 0)) {}
    // A late answer that arrived in time to be dropped here is no longer due.
    if (!received_.empty()) lateAnswerDue_ = false;
    ClearReceived();
}

bool Command::WaitForLine(int timeoutMs, std::string& line,
                          bool (*stale)(const std::string& line, const std::string& asked), const std::string& asked)
{
    if (timeoutLimitMs_ > 0) timeoutMs = std::min(timeoutMs, timeoutLimitMs_);
    LinkClock& clock = link_.Clock();
    const std::int64_t start = clock.NowUs();
    while (true) {
        const int left = std::max(0, timeoutMs - ElapsedMs(clock, start));
        link_.WaitForInput(std::min(kWaitStepMs, left));
        const int remaining = std::max(0, timeoutMs - ElapsedMs(clock, start));
        ReadLineWithin(true, std::min(kByteLimitMs, remaining), remaining);
        while (!received_.empty()) {
            line = TakeLine();
            // After a time-out the camera may still answer the request that was given up: that one line,
            // if it cannot be this request's answer, is passed over. Otherwise a wrong line is the answer
            // (and shown as such).
            if (!(lateAnswerDue_ && stale(line, asked))) {
                lateAnswerDue_ = false;
                return true;
            }
            lateAnswerDue_ = false;
        }
        const int elapsed = ElapsedMs(clock, start);
        if (elapsed >= timeoutMs) return false;
        if (elapsed >= kPaintAfterMs) hosts_.ui.PumpMessages(true);
    }
}

namespace {

bool StartsWithComplete(const std::string& line)
{
    std::string head = line.substr(0, 8);
    for (char& c : head) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return head == "COMPLETE";
}

// An answer that arrived after its own request had timed out may reach the next request. A setting is
// acknowledged with COMPLETE or refused with an error, never answered with a value: a value line is late.
bool StaleForSetting(const std::string& line, const std::string&)
{
    CommandAnswer answer;
    return ProtocolLine::ParseAnswer(line, answer) && !answer.failed && answer.form >= 1;
}

// A query is answered with its own mnemonic: another command's value, or an acknowledgement, is late.
bool StaleForQuery(const std::string& line, const std::string& mnemonic)
{
    if (StartsWithComplete(line)) return true;
    CommandAnswer answer;
    return ProtocolLine::ParseAnswer(line, answer) && !answer.failed && answer.form >= 1 && answer.mnemonic != mnemonic;
}

}  // namespace

RequestOutcome Command::Finish(RequestOutcome outcome)
{
    if (overflowed_ && !outcome.Answered() && outcome.note.empty()) outcome.note = kOverflowNote;
    overflowed_ = false;
    switch (outcome.result) {
        case RequestResult::Answered:
            ++counts_.answered;
            break;
        case RequestResult::Refused:
            ++counts_.refused;
            break;
        case RequestResult::TimedOut:
            ++counts_.timedOut;
            break;
        case RequestResult::NotSent:
            ++counts_.notSent;
            break;
    }
    if (watch_) watch_->RequestEnded(outcome);
    return outcome;
}

RequestOutcome Command::Send(int commandIndex, const CommandValue& value, int timeoutMs)
{
    RequestOutcome outcome;
    if (busy_ || commandIndex < 0 || commandIndex >= CommandTable::kCount) return Finish(outcome);
    outcome.request = ProtocolLine::FormatSetting(commandIndex, value, false);
    {
        BusyScope busy(busy_);
        DropStaleInput();
        overflowed_ = false;
        if (!link_.Write(outcome.request + "\r\n")) {
            // Nothing can reach the camera: as good as no answer, and said at once.
            hosts_.onlineStatus.SetOffline();
            return Finish(outcome);
        }
        WaitCursor cursor(hosts_.ui);
        if (!WaitForLine(timeoutMs, outcome.answer, StaleForSetting, {})) {
            lateAnswerDue_ = true;
            hosts_.onlineStatus.SetOffline();
            outcome.result = RequestResult::TimedOut;
            return Finish(outcome);
        }
    }
    outcome.result = StartsWithComplete(outcome.answer) ? RequestResult::Answered : RequestResult::Refused;
    // Any answer at all shows the camera is there.
    hosts_.onlineStatus.SetOnline();
    return Finish(outcome);
}

RequestOutcome Command::Ask(int commandIndex, int timeoutMs)
{
    RequestOutcome outcome;
    outcome.query = true;
    if (busy_ || commandIndex < 0 || commandIndex >= CommandTable::kCount) return Finish(outcome);
    const std::string mnemonic = ProtocolLine::MnemonicOf(commandIndex);
    if (mnemonic.empty()) return Finish(outcome);
    outcome.request = ProtocolLine::FormatQuery(commandIndex, false);
    {
        BusyScope busy(busy_);
        DropStaleInput();
        overflowed_ = false;
        if (!link_.Write(outcome.request + "\r\n")) {
            hosts_.onlineStatus.SetOffline();
            return Finish(outcome);
        }
        if (!WaitForLine(timeoutMs, outcome.answer, StaleForQuery, mnemonic)) {
            lateAnswerDue_ = true;
            hosts_.onlineStatus.SetOffline();
            outcome.result = RequestResult::TimedOut;
            return Finish(outcome);
        }
    }
    CommandAnswer answer;
    ProtocolLine::ParseAnswer(outcome.answer, answer);
    if (!answer.failed && answer.mnemonic == mnemonic) {
        outcome.value = answer.value;
        outcome.result = RequestResult::Answered;
        hosts_.onlineStatus.SetOnline();
    } else {
        // The camera's words as it sent them, blanks removed; the online state is left as it was.
        outcome.answer = answer.raw;
        outcome.result = RequestResult::Refused;
    }
    return Finish(outcome);
}

RequestOutcome Command::Set(int commandIndex, int value, int timeoutMs)
{
    if (commandIndex < 0 || commandIndex >= CommandTable::kCount) return Finish({});
    return Send(commandIndex, ProtocolLine::ValueOf(commandIndex, value), timeoutMs);
}

RequestOutcome Command::SetText(int commandIndex, const std::string& text, int timeoutMs)
{
    if (commandIndex < 0 || commandIndex >= CommandTable::kCount) return Finish({});
    if (text.find_first_of("\r\n") != std::string::npos) {
        // A line break would end the setting early and send the rest as a second command.
        RequestOutcome outcome;
        outcome.note = StrFormat("The value for %s contains a line break and was not sent.",
                                 ProtocolLine::MnemonicOf(commandIndex).c_str());
        return Finish(outcome);
    }
    // A text value goes out unchanged whatever type the table gives the command.
    CommandValue v;
    v.valueType = kValueText;
    v.text = text;
    return Send(commandIndex, v, timeoutMs);
}
