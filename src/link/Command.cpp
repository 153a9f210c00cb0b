// The command protocol: line formats, answer parsing, and the request and receive cycles.
#include "link/Command.h"

#include "base/StrFormat.h"
#include "framework/MessageBox.h"
#include "framework/OnlineStatusRegistry.h"
#include "framework/TimerService.h"
#include "framework/UiHost.h"
#include "link/SerialLink.h"
#include "tables/CommandTable.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

constexpr const char* kErrorCaption = "Communication Error";

using Clock = std::chrono::steady_clock;

int ElapsedMs(Clock::time_point start)
{
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// A decimal integer as the camera writes it: optional sign, digits up to the first other character,
// no digits give 0. Values beyond 32 bits are held at the nearest limit.
std::int32_t ReadDecimal(const std::string& text)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::int64_t magnitude = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        magnitude = std::min<std::int64_t>(magnitude * 10 + (text[i] - '0'), std::int64_t{INT32_MAX} + 1);
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

// Hexadecimal digits after the "&H" prefix, as a 32-bit register value (so &HFFFFFFFF is -1).
std::int32_t ReadHex(const std::string& digits)
{
    std::uint32_t value = 0;
    for (char c : digits) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            break;
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(value);
}

// Floating-point text in the camera's notation whatever the process locale says.
double ReadReal(const std::string& text)
{
    std::size_t start = (!text.empty() && text[0] == '+') ? 1 : 0;
    double value = 0.0;
    std::from_chars(text.data() + start, text.data() + text.size(), value);
    return value;
}

double PowerOfTen(int exponent)
{
    double p = 1.0;
    for (int i = 0; i < exponent; ++i) p *= 10.0;
    return p;
}

std::string FormatFixed(double value, int decimals)
{
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, std::max(decimals, 0));
    if (result.ec != std::errc()) return "0";
    return std::string(buffer, result.ptr);
}

}  // namespace

Command::Command() : Command(GetSerialLink()) {}

Command::Command(SerialLink& link) : link_(link) {}

Command::~Command() { StopPolling(); }

// ---- line formats ----

std::string Command::MnemonicOf(int commandIndex)
{
    if (commandIndex < 0 || commandIndex >= CommandTable::kCount) return {};
    return CommandTable::Mnemonic(commandIndex);
}

std::string Command::FormatSetting(int commandIndex, const CommandValue& value, bool withLineEnd)
{
    std::string valueText;
    switch (CommandTable::ValueType(commandIndex)) {
        case kValueInteger:
            valueText = std::to_string(value.intValue);
            break;
        case kValueDecimal:
            valueText = FormatFixed(value.realValue, CommandTable::Decimals(commandIndex));
            break;
        default:
            valueText = value.text;
            break;
    }
    std::string line = MnemonicOf(commandIndex) + "=" + valueText;
    if (withLineEnd) line += "\r\n";
    return line;
}

std::string Command::FormatQuery(int commandIndex, bool withLineEnd)
{
    std::string line = MnemonicOf(commandIndex) + "?";
    if (withLineEnd) line += "\r\n";
    return line;
}

// ---- answer parsing ----

int Command::ParseAnswer(const std::string& line, CommandAnswer& answer)
{
    answer = CommandAnswer{};
    for (char c : line) {
        if (c != ' ' && c != '\r' && c != '\n') answer.raw += c;
    }
    const std::string& raw = answer.raw;
    std::size_t separator = raw.find('=');
    if (separator == std::string::npos) separator = raw.find('?');
    if (separator == std::string::npos) return 0;

    answer.mnemonic = raw.substr(0, separator);
    answer.separator = raw.substr(separator, 1);
    const std::string rest = raw.substr(separator + 1);
    if (answer.separator == "=") {
        // Only a comma after the separator splits the value; one inside a mnemonic splits nothing.
        const std::size_t comma = rest.find(',');
        if (comma == std::string::npos) {
            answer.valueText = rest;
            answer.form = 1;
        } else {
            answer.valueText = rest.substr(0, comma);
            answer.secondText = rest.substr(comma + 1);
            answer.firstInt = ReadDecimal(answer.valueText);
            answer.form = 2;
        }
    } else {
        answer.valueText = rest;
        answer.form = rest.empty() ? 0 : 1;
    }

    int valueType = 0;
    int decimals = 0;
    const int index = answer.mnemonic.empty() ? -1 : CommandTable::Find(answer.mnemonic, &valueType, &decimals);
    if (index < 0) return 0;
    answer.commandIndex = index;
    answer.decimals = decimals;

    CommandValue& value = answer.value;
    value.valueType = valueType;
    value.text = answer.valueText;
    switch (valueType) {
        case kValueInteger:
            // The prefix is the camera's "&H", case-sensitive: "&h1F" is read as a decimal number.
            if (answer.valueText.compare(0, 2, "&H") == 0) {
                value.intValue = ReadHex(answer.valueText.substr(2));
            } else {
                value.intValue = ReadDecimal(answer.valueText);
            }
            value.realValue = value.intValue;
            break;
        case kValueDecimal: {
            value.realValue = ReadReal(answer.valueText);
            // The small bias keeps 0.29 with two decimals at 29 instead of 28.999...
            const double scaled = value.realValue * PowerOfTen(decimals);
            const double truncated = std::trunc(scaled + (scaled >= 0 ? 1e-7 : -1e-7));
            value.intValue = static_cast<std::int32_t>(std::clamp<double>(truncated, INT32_MIN, INT32_MAX));
            break;
        }
        default:
            break;
    }
    answer.failed = false;
    return 1;
}

int Command::ParseSettingLine(const std::string& line, int& commandIndex, std::string& mnemonic, int& value,
                              std::string& text)
{
    CommandAnswer answer;
    if (!ParseAnswer(line, answer)) return 0;
    commandIndex = answer.commandIndex;
    mnemonic = answer.mnemonic;
    value = answer.value.intValue;
    text = answer.value.text;
    return 1;
}

// ---- receiving ----

int Command::ReadLine(bool log) { return ReadLineWithin(log, kByteLimitMs); }

int Command::ReadLineWithin(bool log, int byteLimitMs, int stopAfterMs)
{
    const auto start = Clock::now();
    while (true) {
        if (stopAfterMs >= 0 && ElapsedMs(start) > stopAfterMs) return 0;
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
            // The rest of this line up to its LF is dropped too: its tail must not pass for an answer.
            discarding_ = true;
            ShowMessage("RS-232C receiving buffer overflowed", kErrorCaption, MessageButtons::Ok,
                        MessageIcon::Exclamation);
            return 0;
        }
    }
}

void Command::ClearReceived()
{
    byteCount_ = 0;
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
    timerService_ = GetTimerService();
    if (!timerService_) return;
    timerId_ = timerService_->StartTimer(kPollIntervalMs, [this] { OnPollTimer(); });
}

void Command::StopPolling()
{
    // The service may have been replaced (or removed at shutdown); a timer of an old service is not ours
    // to stop any more.
    if (timerId_ != 0 && timerService_ && GetTimerService() == timerService_) timerService_->StopTimer(timerId_);
    timerId_ = 0;
    timerService_ = nullptr;
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
    ClearReceived();
}

bool Command::WaitForLine(int timeoutMs, std::string& line)
{
    const auto start = Clock::now();
    while (true) {
        const int left = std::max(0, timeoutMs - ElapsedMs(start));
        link_.WaitForInput(std::min(kWaitStepMs, left));
        const int remaining = std::max(0, timeoutMs - ElapsedMs(start));
        ReadLineWithin(true, std::min(kByteLimitMs, remaining), remaining);
        if (!received_.empty()) {
            line = TakeLine();
            return true;
        }
        const int elapsed = ElapsedMs(start);
        if (elapsed >= timeoutMs) return false;
        if (elapsed >= kPaintAfterMs) PumpMessages(true);
    }
}

int Command::Send(int commandIndex, const CommandValue& value, int timeoutMs)
{
    if (busy_ || commandIndex < 0 || commandIndex >= CommandTable::kCount) return 0;
    std::string answer;
    {
        BusyScope busy(busy_);
        lastTimedOut_ = false;
        DropStaleInput();
        if (!link_.Write(FormatSetting(commandIndex, value, true))) return 0;
        WaitCursor cursor;
        if (!WaitForLine(timeoutMs, answer)) {
            lastTimedOut_ = true;
            GetOnlineStatusRegistry().SetOffline();
            return 0;
        }
    }
    std::string head = answer.substr(0, 8);
    for (char& c : head) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const int result = head == "COMPLETE" ? 1 : 0;
    if (!result)
        ShowMessage(StrFormat("%s", answer.c_str()), kErrorCaption, MessageButtons::Ok, MessageIcon::Exclamation);
    // Any answer at all shows the camera is there.
    GetOnlineStatusRegistry().SetOnline();
    return result;
}

int Command::Query(int commandIndex, CommandValue& value, int timeoutMs)
{
    if (busy_ || commandIndex < 0 || commandIndex >= CommandTable::kCount) return 0;
    const std::string mnemonic = MnemonicOf(commandIndex);
    if (mnemonic.empty()) return 0;
    std::string line;
    {
        BusyScope busy(busy_);
        lastTimedOut_ = false;
        DropStaleInput();
        link_.Write(FormatQuery(commandIndex, true));
        if (!WaitForLine(timeoutMs, line)) {
            lastTimedOut_ = true;
            GetOnlineStatusRegistry().SetOffline();
            return 0;
        }
    }
    CommandAnswer answer;
    ParseAnswer(line, answer);
    if (!answer.failed && answer.mnemonic == mnemonic) {
        value = answer.value;
        GetOnlineStatusRegistry().SetOnline();
        return 1;
    }
    ShowMessage(StrFormat("%s for %s", answer.raw.c_str(), FormatQuery(commandIndex, false).c_str()), kErrorCaption,
                MessageButtons::Ok, MessageIcon::Exclamation);
    return 0;
}

int Command::SendValue(int commandIndex, int value, int timeoutMs)
{
    if (commandIndex < 0 || commandIndex >= CommandTable::kCount) return 0;
    CommandValue v;
    v.valueType = CommandTable::ValueType(commandIndex);
    v.intValue = value;
    v.realValue = value / PowerOfTen(CommandTable::Decimals(commandIndex));
    v.text = std::to_string(value);
    return Send(commandIndex, v, timeoutMs);
}

int Command::SendText(int commandIndex, const std::string& text, int timeoutMs)
{
    if (commandIndex < 0 || commandIndex >= CommandTable::kCount) return 0;
    if (text.find_first_of("\r\n") != std::string::npos) {
        // A line break would end the setting early and send the rest as a second command.
        ShowMessage(
            StrFormat("The value for %s contains a line break and was not sent.", MnemonicOf(commandIndex).c_str()),
            kErrorCaption, MessageButtons::Ok, MessageIcon::Exclamation);
        return 0;
    }
    // The text goes out unchanged whatever type the table gives the command.
    ValueTypeOverride asText(commandIndex, kValueText);
    CommandValue v;
    v.valueType = kValueText;
    v.text = text;
    return Send(commandIndex, v, timeoutMs);
}

int Command::QueryValue(int commandIndex, int& value, int timeoutMs)
{
    CommandValue v;
    if (!Query(commandIndex, v, timeoutMs)) return 0;
    value = v.intValue;
    return 1;
}

int Command::QueryText(int commandIndex, std::string& text, int timeoutMs)
{
    text.clear();
    CommandValue v;
    if (!Query(commandIndex, v, timeoutMs)) return 0;
    text = v.text;
    return 1;
}

Command& GetCommand()
{
    static Command command;
    return command;
}
