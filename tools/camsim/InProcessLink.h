// Byte-stream front end of the simulated camera: the serial line between a PC and the camera model, in process.
#pragma once

#include "camsim/CameraModel.h"
#include "camsim/LineTime.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <random>
#include <string>
#include <string_view>

namespace camsim {

// Assembles the PC's bytes into lines (CR LF or LF alone), hands them to the camera and releases the
// answers when they are due: after the camera's working time, the answer delay and, with wire-time
// emulation, 10 / baud seconds per byte in each direction. Answers are computed when the line arrives and
// released by time, so no thread is needed. Bytes sent while the PC's rate differs from the camera's are
// lost, as on a real line; answers the camera sent at another rate than the PC's are lost as well.
// The configured faults (silence, garbage, overlong lines, split answers, late and error answers,
// disconnection, hang-up) are applied here, and can be lifted at run time.
//
// Thread safety: every method may be called from any thread; one mutex guards the link and the camera
// model behind it (callers must not use the model directly while a link is in use). Read waits on a
// condition variable that Write and SetPcBaudRate signal.
class InProcessLink {
public:
    enum class Traffic { Received, Sent, Lost };
    // The traffic log's name of the kind: "RX", "TX" or "LOST".
    static const char* TrafficTag(Traffic kind);
    using TrafficSink = std::function<void(Traffic, std::string_view line)>;

    static constexpr std::size_t kSplitPieceBytes = 4;
    static constexpr std::size_t kOverlongBytes = 1500;

    explicit InProcessLink(CameraModel& camera, LineTime& time = LineTime::Steady());

    void SetPcBaudRate(int bitsPerSecond);  // what the PC side is set to (default 9600)
    void Write(const std::uint8_t* data, std::size_t count);
    // Waits up to timeoutMs for at least one byte; returns the number copied (0 on time-out).
    std::size_t Read(std::uint8_t* buffer, std::size_t max, int timeoutMs);
    std::size_t Available() const;

    // Microseconds until the next answer byte is due (0 when one is due now), -1 when none is pending.
    long long MicrosecondsToNextByte() const;
    // Every received line, every answer and every line lost to a speed mismatch or a disconnection.
    // Called with the link's lock held: the sink must not call back into the link.
    void SetTrafficSink(TrafficSink sink);
    bool Disconnected() const;
    // Whether the line that closes the terminal has come (and the faults have not been lifted since).
    bool HungUp() const;
    // Ends every configured fault from now on: the camera answers every line as it should again, as if
    // the cable were plugged back in. Lines and answers already on their way are kept.
    void LiftFaults();
    // Wakes dormant faults (or lifted ones again); their line numbers count from now.
    void ArmFaults();

private:
    using Clock = LineTime::Clock;
    struct PendingByte {
        Clock::time_point due;
        std::uint8_t byte;
        int bitsPerSecond;  // the rate the camera sent it at
    };

    void TakeLine(Clock::time_point arrival);
    void QueueAnswer(const std::string& text, int bitsPerSecond, Clock::time_point ready, int splitMs);
    std::string ApplyAnswerFaults(const std::string& text);
    void Advance() const;
    void Log(Traffic kind, std::string_view line) const;
    bool Struck(int lineNumber) const;
    bool RandomFault(const std::string& answer, int answerRate, Clock::time_point ready);
    static Clock::duration ByteTime(int bitsPerSecond);

    CameraModel& camera_;
    LineTime& time_;
    const CameraConfig config_;
    mutable std::mutex mutex_;
    std::condition_variable bytesDue_;
    int pcBaud_ = 9600;
    std::string line_;  // bytes of the line being received, without its line end
    bool lineCorrupt_ = false;  // some of its bytes were lost
    // Answer bytes on their way, and bytes that reached the PC at its rate and wait to be read. Advance
    // moves due bytes from the first to the second (or drops them at a rate mismatch); it runs in the
    // const Available too, hence mutable.
    mutable std::deque<PendingByte> output_;
    mutable std::deque<std::uint8_t> received_;
    Clock::time_point cameraFreeAt_{};
    Clock::time_point inputWireFreeAt_{};
    Clock::time_point outputWireFreeAt_{};
    int linesReceived_ = 0;
    int vanishSeen_ = 0;  // how often the line that makes the camera vanish has come
    bool disconnected_ = false;
    bool hungUp_ = false;
    bool lifted_ = false;  // LiftFaults was called (or the faults are dormant): no fault applies
    int linesAtArming_ = 0;  // lines received before the faults were armed
    std::mt19937 chance_{7};  // the random faults, apart from the garbage's generator
    std::mt19937 random_;
    TrafficSink sink_;
};

}  // namespace camsim
