// The in-process serial line: line assembly, speed rule, timing and faults.
#include "camsim/InProcessLink.h"

#include <algorithm>

namespace camsim {

InProcessLink::InProcessLink(CameraModel& camera, LineTime& time)
    : camera_(camera),
      time_(time),
      config_(camera.Config()),
      lifted_(camera.Config().dormant),
      random_(camera.Config().garbageSeed)
{
}

InProcessLink::Clock::duration InProcessLink::ByteTime(int bitsPerSecond)
{
    // Start bit, eight data bits, stop bit.
    return std::chrono::duration_cast<Clock::duration>(std::chrono::microseconds(10'000'000LL / bitsPerSecond));
}

void InProcessLink::SetPcBaudRate(int bitsPerSecond)
{
    std::lock_guard lock(mutex_);
    Advance();  // what arrived before the change was heard at the old rate
    pcBaud_ = bitsPerSecond;
    bytesDue_.notify_all();
}

void InProcessLink::SetTrafficSink(TrafficSink sink)
{
    std::lock_guard lock(mutex_);
    sink_ = std::move(sink);
}

const char* InProcessLink::TrafficTag(Traffic kind)
{
    if (kind == Traffic::Received) return "RX";
    if (kind == Traffic::Sent) return "TX";
    return "LOST";
}

bool InProcessLink::Disconnected() const
{
    std::lock_guard lock(mutex_);
    return disconnected_;
}

bool InProcessLink::HungUp() const
{
    std::lock_guard lock(mutex_);
    return hungUp_;
}

void InProcessLink::LiftFaults()
{
    std::lock_guard lock(mutex_);
    lifted_ = true;
    disconnected_ = false;
    hungUp_ = false;
}

void InProcessLink::ArmFaults()
{
    std::lock_guard lock(mutex_);
    lifted_ = false;
    linesAtArming_ = linesReceived_;
    vanishSeen_ = 0;
}

bool InProcessLink::Struck(int lineNumber) const
{
    lineNumber -= linesAtArming_;
    if (lifted_ || lineNumber < config_.faultFrom) return false;
    return config_.faultLines < 0 || lineNumber < config_.faultFrom + config_.faultLines;
}

void InProcessLink::Log(Traffic kind, std::string_view line) const
{
    if (sink_) sink_(kind, line);
}

void InProcessLink::Write(const std::uint8_t* data, std::size_t count)
{
    std::lock_guard lock(mutex_);
    const Clock::time_point now = time_.Now();
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t byte = data[i];
        // The camera's rate is read per byte: a CBDRT in this very write switches it for the bytes after it.
        // A byte at the wrong rate reaches the camera as a framing error and spoils its line.
        if (pcBaud_ != BaudRateOfCode(camera_.BaudCode())) lineCorrupt_ = true;
        Clock::time_point arrival = now;
        if (config_.wireTime) {
            inputWireFreeAt_ = std::max(now, inputWireFreeAt_) + ByteTime(pcBaud_);
            arrival = inputWireFreeAt_;
        }
        if (byte == '\n') {
            if (!line_.empty() && line_.back() == '\r') line_.pop_back();
            if (lineCorrupt_) {
                Log(Traffic::Lost, line_);  // the camera cannot make sense of it and stays silent
            } else {
                TakeLine(arrival);
            }
            line_.clear();
            lineCorrupt_ = false;
            continue;
        }
        // Keep one byte beyond the longest line so the camera can tell that the line was too long.
        if (line_.size() <= static_cast<std::size_t>(CameraModel::kMaxLineLength)) {
            line_.push_back(static_cast<char>(byte));
        }
    }
    bytesDue_.notify_all();
}

void InProcessLink::TakeLine(Clock::time_point arrival)
{
    if (!lifted_) {
        const int sinceArming = linesReceived_ - linesAtArming_;
        if (config_.disconnectAfter >= 0 && sinceArming >= config_.disconnectAfter) disconnected_ = true;
        if (!config_.vanishOn.empty() && line_ == config_.vanishOn && ++vanishSeen_ >= config_.vanishCount) {
            disconnected_ = true;
        }
        if (config_.hangUpOn >= 1 && sinceArming + 1 >= config_.hangUpOn) hungUp_ = disconnected_ = true;
    }
    if (disconnected_) {
        Log(Traffic::Lost, line_);
        return;
    }
    ++linesReceived_;
    Log(Traffic::Received, line_);
    const bool struck = Struck(linesReceived_);
    const int answerRate = BaudRateOfCode(camera_.BaudCode());  // CBDRT and CRS00 answer at the old rate
    const CameraModel::Reply reply = camera_.Respond(line_);
    cameraFreeAt_ = std::max(arrival, cameraFreeAt_) + std::chrono::milliseconds(reply.busyMs);
    if (reply.text.empty() || (struck && config_.silent)) return;
    if (RandomFault(reply.text, answerRate, cameraFreeAt_)) return;
    const int delayMs = config_.answerDelayMs + (struck ? config_.lateMs : 0);
    QueueAnswer(struck ? ApplyAnswerFaults(reply.text) : reply.text, answerRate,
                cameraFreeAt_ + std::chrono::milliseconds(delayMs), struck ? config_.splitMs : 0);
}

// One line in randomFaultPercent gets no answer, an error line or garbage instead of its answer.
bool InProcessLink::RandomFault(const std::string& answer, int answerRate, Clock::time_point ready)
{
    if (lifted_ || config_.randomFaultPercent <= 0) return false;
    if (std::uniform_int_distribution<int>(0, 99)(chance_) >= config_.randomFaultPercent) return false;
    switch (std::uniform_int_distribution<int>(0, 2)(chance_)) {
        case 0:
            return true;  // silence
        case 1:
            QueueAnswer("ERROR: refused by fault injection\r\n", answerRate, ready, 0);
            return true;
        default:
            QueueAnswer(std::string(answer.size() > 3 ? answer.size() - 3 : 1, '#') + "\r\n", answerRate, ready, 0);
            return true;
    }
}

std::string InProcessLink::ApplyAnswerFaults(const std::string& text)
{
    // Without "=" or "?": the tool must take it for a refusal, not for a value or an echo.
    if (config_.errorAnswer) return "ERROR: refused by fault injection\r\n";
    if (config_.overlong) return std::string(kOverlongBytes, '#') + "\r\n";
    if (config_.garbage) {
        std::uniform_int_distribution<int> length(4, 40);
        std::uniform_int_distribution<int> value(1, 255);
        std::string junk;
        for (int n = length(random_); n > 0; --n) {
            int byte = value(random_);
            if (byte == '\n' || byte == '\r') byte = '#';
            junk.push_back(static_cast<char>(byte));
        }
        return junk + "\r\n";
    }
    return text;
}

void InProcessLink::QueueAnswer(const std::string& text, int bitsPerSecond, Clock::time_point ready, int splitMs)
{
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        std::string_view shown(text.data() + start, end - start);
        while (!shown.empty() && (shown.back() == '\n' || shown.back() == '\r')) shown.remove_suffix(1);
        Log(Traffic::Sent, shown);
        start = end;
    }
    Clock::time_point due = ready;
    if (config_.wireTime) due = std::max(due, outputWireFreeAt_);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (splitMs > 0 && i > 0 && i % kSplitPieceBytes == 0) {
            due += std::chrono::milliseconds(splitMs);
        }
        if (config_.wireTime) due += ByteTime(bitsPerSecond);
        output_.push_back({due, static_cast<std::uint8_t>(text[i]), bitsPerSecond});
    }
    if (config_.wireTime) outputWireFreeAt_ = due;
}

// Answer bytes that reach the PC while it listens at another rate are lost; the others wait in its buffer.
void InProcessLink::Advance() const
{
    const Clock::time_point now = time_.Now();
    while (!output_.empty() && output_.front().due <= now) {
        if (output_.front().bitsPerSecond == pcBaud_) received_.push_back(output_.front().byte);
        output_.pop_front();
    }
}

std::size_t InProcessLink::Read(std::uint8_t* buffer, std::size_t max, int timeoutMs)
{
    std::unique_lock lock(mutex_);
    const Clock::time_point deadline = time_.Now() + std::chrono::milliseconds(std::max(0, timeoutMs));
    while (true) {
        Advance();
        if (!received_.empty() || max == 0) {
            const std::size_t count = std::min(max, received_.size());
            std::copy_n(received_.begin(), count, buffer);
            received_.erase(received_.begin(), received_.begin() + static_cast<std::ptrdiff_t>(count));
            return count;
        }
        if (time_.Now() >= deadline) return 0;
        const Clock::time_point wake = output_.empty() ? deadline : std::min(deadline, output_.front().due);
        time_.WaitUntil(bytesDue_, lock, wake);
    }
}

std::size_t InProcessLink::Available() const
{
    std::lock_guard lock(mutex_);
    Advance();
    return received_.size();
}

long long InProcessLink::MicrosecondsToNextByte() const
{
    std::lock_guard lock(mutex_);
    Advance();
    if (!received_.empty()) return 0;
    if (output_.empty()) return -1;
    const auto wait = output_.front().due - time_.Now();
    if (wait <= Clock::duration::zero()) return 0;
    // Round up so that a caller sleeping this long finds the byte due. Microseconds, not milliseconds:
    // at 115200 bit/s a byte takes 87 us, and a whole-millisecond sleep would hold every answer back.
    return std::chrono::ceil<std::chrono::microseconds>(wait).count();
}

}  // namespace camsim
