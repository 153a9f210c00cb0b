// The in-process serial line: line assembly, speed rule, timing, faults and the traffic record.
#include "camsim/InProcessLink.h"

#include "support/Elapsed.h"
#include "support/SteppedLineTime.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

namespace camsim {
namespace {

void Send(InProcessLink& link, const std::string& text)
{
    link.Write(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

// Everything that arrives until a line feed or until nothing more comes within timeoutMs.
std::string ReadLine(InProcessLink& link, int timeoutMs = 1000)
{
    std::string line;
    std::uint8_t byte = 0;
    while (link.Read(&byte, 1, timeoutMs) == 1) {
        line.push_back(static_cast<char>(byte));
        if (byte == '\n') break;
    }
    return line;
}

// The line on a stepped time: waits take no real time and delays are exact.
class InProcessLine : public ::testing::Test {
protected:
    SteppedLineTime time_;
};

TEST_F(InProcessLine, AnswersLinesEndedByCrLfOrLfAloneInAnyPieces)
{
    CameraModel camera;
    InProcessLink link(camera, time_);
    Send(link, "MD?\r\n");
    EXPECT_EQ(ReadLine(link), "MD=RV-8200-A1\r\n");
    Send(link, "GA=3");
    Send(link, "00\n");
    EXPECT_EQ(ReadLine(link), "COMPLETE\r\n");
    Send(link, "GA?\r\nHB?\r\n");
    EXPECT_EQ(ReadLine(link), "GA=300\r\n");
    EXPECT_EQ(ReadLine(link), "HB=1\r\n");
    EXPECT_EQ(link.Available(), 0u);
    EXPECT_EQ(link.MicrosecondsToNextByte(), -1);
}

TEST_F(InProcessLine, OverlongInputLineIsAnsweredWithOneError)
{
    CameraModel camera;
    InProcessLink link(camera, time_);
    Send(link, "UD=" + std::string(3000, 'x') + "\r\n");
    const std::string answer = ReadLine(link);
    EXPECT_EQ(answer.rfind("ERROR", 0), 0u) << answer;
    Send(link, "GA?\r\n");
    EXPECT_EQ(ReadLine(link), "GA=100\r\n") << "the next line is read normally";
}

TEST_F(InProcessLine, WrongSpeedLosesTheLineAndGetsNoAnswer)
{
    CameraModel camera;
    InProcessLink link(camera, time_);
    link.SetPcBaudRate(19200);
    Send(link, "GA=300\r\n");
    std::uint8_t byte = 0;
    EXPECT_EQ(link.Read(&byte, 1, 100), 0u);
    link.SetPcBaudRate(9600);
    Send(link, "GA?\r\n");
    EXPECT_EQ(ReadLine(link), "GA=100\r\n") << "the lost setting never reached the camera";
}

TEST_F(InProcessLine, SpeedChangeIsAcknowledgedAtTheOldRateThenListensAtTheNew)
{
    CameraModel camera;
    InProcessLink link(camera, time_);
    Send(link, "CBDRT=16\r\n");
    EXPECT_EQ(ReadLine(link), "COMPLETE\r\n");
    EXPECT_EQ(camera.BaudCode(), 16);
    Send(link, "MD?\r\n");
    EXPECT_EQ(ReadLine(link, 100), "") << "the PC still at 9600 is not heard";
    link.SetPcBaudRate(115200);
    Send(link, "CBDRT=16\r\n");
    EXPECT_EQ(ReadLine(link), "COMPLETE\r\n");
    Send(link, "CBDRT?\r\n");
    EXPECT_EQ(ReadLine(link), "CBDRT=16\r\n");
}

TEST_F(InProcessLine, AnswerAtTheOldRateIsLostWhenThePcSwitchesBeforeItArrives)
{
    CameraConfig config;
    config.answerDelayMs = 50;
    CameraModel camera(config);
    InProcessLink link(camera, time_);
    Send(link, "CBDRT=16\r\n");
    link.SetPcBaudRate(115200);
    EXPECT_EQ(ReadLine(link, 150), "");

    // A prompt camera's answer arrives whole (no wire time): once its first byte is read, the rest is in the
    // PC's buffer and survives the switch.
    CameraModel prompt;
    InProcessLink promptLink(prompt, time_);
    Send(promptLink, "CBDRT=16\r\n");
    std::uint8_t first = 0;
    ASSERT_EQ(promptLink.Read(&first, 1, 1000), 1u);
    promptLink.SetPcBaudRate(115200);
    EXPECT_EQ(static_cast<char>(first) + ReadLine(promptLink, 100), "COMPLETE\r\n")
        << "what arrived before the switch stays readable";
}

// The steady clock, telling once when a reader first waits: the line then goes out while the reader is
// certainly waiting (the reader holds the link's lock until its wait begins).
class FirstWaitTold : public LineTime {
public:
    Clock::time_point Now() const override { return Clock::now(); }
    void WaitUntil(std::condition_variable& wakeUp, std::unique_lock<std::mutex>& lock,
                   Clock::time_point until) override
    {
        if (!told_) {
            told_ = true;
            waiting_.set_value();
        }
        wakeUp.wait_until(lock, until);
    }
    void AwaitFirstWait() { waiting_.get_future().wait(); }

private:
    bool told_ = false;
    std::promise<void> waiting_;
};

// A real-time smoke test (its suite runs serially): a waiting reader is woken by the line and then by the
// answer's due time, not by its own time-out.
TEST(InProcessLink, ShadingCalibrationAnswersAfterItsTimeWhileAReaderWaits)
{
    CameraConfig config;
    config.rsMilliseconds = 300;
    CameraModel camera(config);
    FirstWaitTold time;
    InProcessLink link(camera, time);
    std::string answer;
    long long waited = 0;
    std::thread reader([&] {
        const auto start = std::chrono::steady_clock::now();
        answer = ReadLine(link, 2000);
        waited = MsSince(start);
    });
    time.AwaitFirstWait();
    Send(link, "RS=0\r\n");
    reader.join();
    EXPECT_EQ(answer, "COMPLETE\r\n");
    EXPECT_GE(waited, 300);
    EXPECT_LT(waited, 1500);
}

TEST_F(InProcessLine, LinesSentDuringALongActionAreAnsweredInOrderAfterIt)
{
    CameraConfig config;
    config.rsMilliseconds = 200;
    CameraModel camera(config);
    InProcessLink link(camera, time_);
    const auto start = time_.Now();
    Send(link, "RS=0\r\nGA?\r\n");
    std::uint8_t byte = 0;
    EXPECT_EQ(link.Read(&byte, 1, 50), 0u);
    EXPECT_EQ(ReadLine(link), "COMPLETE\r\n");
    EXPECT_EQ(ReadLine(link), "GA=100\r\n");
    EXPECT_EQ(time_.MsSince(start), 200) << "both answers come when the action ends";
}

TEST_F(InProcessLine, AnswerDelayAndWireTimeSlowTheAnswer)
{
    CameraConfig config;
    config.answerDelayMs = 80;
    CameraModel delayed(config);
    InProcessLink delayedLink(delayed, time_);
    auto start = time_.Now();
    Send(delayedLink, "GA?\r\n");
    EXPECT_EQ(ReadLine(delayedLink), "GA=100\r\n");
    EXPECT_EQ(time_.MsSince(start), 80);

    config = {};
    config.wireTime = true;
    CameraModel wired(config);
    InProcessLink wiredLink(wired, time_);
    start = time_.Now();
    Send(wiredLink, "MD?\r\n");  // 5 bytes out, 15 back: 20 bytes at 9600 bit/s take 20.8 ms
    EXPECT_EQ(ReadLine(wiredLink), "MD=RV-8200-A1\r\n");
    EXPECT_EQ(std::chrono::duration_cast<std::chrono::microseconds>(time_.Now() - start).count(), 20 * 1041);
}

TEST_F(InProcessLine, SilentCameraNeverAnswersButStillListens)
{
    CameraConfig config;
    config.silent = true;
    CameraModel camera(config);
    InProcessLink link(camera, time_);
    Send(link, "GA=300\r\n");
    EXPECT_EQ(ReadLine(link, 100), "");
    EXPECT_EQ(camera.Value(cmd::GA), 300);
}

TEST_F(InProcessLine, SplitAnswersArriveInPiecesWithPauses)
{
    CameraConfig config;
    config.splitMs = 60;
    CameraModel camera(config);
    InProcessLink link(camera, time_);
    Send(link, "COMPLETE?\r\n");  // an error line: long enough for several pieces
    Send(link, "MD?\r\n");
    std::vector<std::uint8_t> buffer(64);
    const auto start = time_.Now();
    const std::size_t first = link.Read(buffer.data(), buffer.size(), 1000);
    EXPECT_EQ(first, InProcessLink::kSplitPieceBytes);
    EXPECT_EQ(link.Read(buffer.data(), buffer.size(), 20), 0u) << "the pause between the pieces";
    std::string rest = ReadLine(link);
    EXPECT_GE(time_.MsSince(start), 60);
    EXPECT_EQ(ReadLine(link), "MD=RV-8200-A1\r\n");
}

TEST_F(InProcessLine, DisconnectAfterLinesGoesQuiet)
{
    CameraConfig config;
    config.disconnectAfter = 2;
    CameraModel camera(config);
    InProcessLink link(camera, time_);
    std::vector<std::pair<InProcessLink::Traffic, std::string>> traffic;
    link.SetTrafficSink([&](InProcessLink::Traffic kind, std::string_view line) { traffic.emplace_back(kind, line); });
    Send(link, "GA?\r\n");
    EXPECT_EQ(ReadLine(link), "GA=100\r\n");
    Send(link, "HB?\r\n");
    EXPECT_EQ(ReadLine(link), "HB=1\r\n");
    EXPECT_FALSE(link.Disconnected());
    Send(link, "VB?\r\n");
    EXPECT_EQ(ReadLine(link, 100), "");
    EXPECT_TRUE(link.Disconnected());
    ASSERT_EQ(traffic.size(), 5u);
    EXPECT_EQ(traffic[0], std::make_pair(InProcessLink::Traffic::Received, std::string("GA?")));
    EXPECT_EQ(traffic[1], std::make_pair(InProcessLink::Traffic::Sent, std::string("GA=100")));
    EXPECT_EQ(traffic[4], std::make_pair(InProcessLink::Traffic::Lost, std::string("VB?")));
}

// Which of five GA? queries get their proper answer, for faults struck in a window of lines, armed after
// the first two lines or lifted after the third.
struct WindowCase {
    const char* name;
    void (*configure)(CameraConfig&);
    int armAfter;  // lines before ArmFaults (-1: not armed by the test)
    int liftAfter;  // lines before LiftFaults (-1: never)
    const char* answered;  // per query: 'y' its answer, 'n' nothing, 'e' an error line
};

void PrintTo(const WindowCase& c, std::ostream* out) { *out << c.name; }

class FaultWindow : public ::testing::TestWithParam<WindowCase> {
protected:
    SteppedLineTime time_;
};

TEST_P(FaultWindow, FaultsStrikeOnlyTheirLines)
{
    const WindowCase& c = GetParam();
    CameraConfig config;
    c.configure(config);
    CameraModel camera(config);
    InProcessLink link(camera, time_);
    std::string seen;
    for (int i = 0; i < 5; ++i) {
        if (i == c.armAfter) link.ArmFaults();
        if (i == c.liftAfter) link.LiftFaults();
        Send(link, "GA?\r\n");
        const std::string answer = ReadLine(link, 80);
        seen += answer == "GA=100\r\n" ? 'y' : answer.empty() ? 'n' : answer.rfind("ERROR", 0) == 0 ? 'e' : '?';
    }
    EXPECT_EQ(seen, c.answered);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FaultWindow,
    ::testing::Values(
        WindowCase{"SilentFromTheThird", [](CameraConfig& c) { c.silent = true, c.faultFrom = 3; }, -1, -1, "yynnn"},
        WindowCase{"OneErrorAnswer", [](CameraConfig& c) { c.errorAnswer = true, c.faultFrom = 2, c.faultLines = 1; },
                   -1, -1, "yeyyy"},
        // The late answer comes while the next query waits: the line itself cannot tell.
        WindowCase{"LateBeyondTheWait", [](CameraConfig& c) { c.lateMs = 120, c.faultFrom = 4, c.faultLines = 1; }, -1,
                   -1, "yyyny"},
        WindowCase{"DormantUntilArmed", [](CameraConfig& c) { c.silent = true, c.dormant = true, c.faultFrom = 2; }, 2,
                   -1, "yyynn"},
        WindowCase{"LiftedSilence", [](CameraConfig& c) { c.silent = true; }, -1, 3, "nnnyy"},
        WindowCase{"HangUpIsQuietInProcessUntilLifted", [](CameraConfig& c) { c.hangUpOn = 2; }, -1, 4, "ynnny"}),
    [](const ::testing::TestParamInfo<WindowCase>& tp) { return std::string(tp.param.name); });

}  // namespace
}  // namespace camsim
