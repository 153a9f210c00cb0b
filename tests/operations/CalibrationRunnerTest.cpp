// The one-shot operations against a scripted camera: the wire sequence, the polling and its bounds, and
// every result text.
#include "operations/CalibrationRunner.h"

#include "framework/ProgressSink.h"
#include "operations/OperationClock.h"
#include "operations/ResultTexts.h"
#include "support/ProtocolFixture.h"
#include "support/TestHosts.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

// Time that passes only when the operation pauses.
class FakeClock : public OperationClock {
public:
    std::int64_t NowMs() override { return now; }
    void Pause(int ms) override
    {
        now += ms;
        pauses.push_back(ms);
    }
    std::int64_t now = 0;
    std::vector<int> pauses;
};

// What the progress window was told, in order.
class RecordingProgress : public ProgressSink {
public:
    void Open(const std::string& message) override { calls.push_back("open " + message); }
    void SetMessage(const std::string& text) override { calls.push_back(text); }
    void SetPosition(int percent) override { calls.push_back(std::to_string(percent) + "%"); }
    void Close() override { calls.push_back("close"); }
    std::vector<std::string> calls;
};

// ---- result texts: one table per family, codes inside, at and beyond the ends ----

struct TextCase {
    const char* family;
    std::function<std::string(int)> text;
    int first;  // the code of the first text
    std::vector<std::string> expected;  // for the codes from first on
};

void PrintTo(const TextCase& c, std::ostream* out) { *out << c.family; }

class ResultTextTable : public ::testing::TestWithParam<TextCase> {};

TEST_P(ResultTextTable, EveryCodeHasItsTextAndTheRestAreUnknown)
{
    for (std::size_t i = 0; i < GetParam().expected.size(); ++i) {
        const int code = GetParam().first + static_cast<int>(i);
        EXPECT_EQ(GetParam().text(code), GetParam().expected[i]) << "code " << code;
    }
}

const std::string kUnknown = "Unknown Result";

INSTANTIATE_TEST_SUITE_P(Families, ResultTextTable,
                         ::testing::Values(TextCase{"WhiteBalance",
                                                    WhiteBalanceResultText,
                                                    -1,
                                                    {kUnknown, kUnknown, "Succeeded", "Error1 - G image was too bright",
                                                     "Error2 - G image was too dark", "Error3 - Timeout-error occurred",
                                                     "IDLE", kUnknown, kUnknown}},
                                           TextCase{"Shading",
                                                    ShadingResultText,
                                                    -1,
                                                    {kUnknown, "Condition_Error", "Too Dark", "Too Bright",
                                                     "Correction Limit", "Complete", kUnknown, kUnknown, kUnknown}},
                                           TextCase{"Calibration",
                                                    CalibrationResultText,
                                                    -1,
                                                    {kUnknown, "Busy", "Succeeded", "Too Bright", "Too Dark",
                                                     "Timeout Error", kUnknown, kUnknown, kUnknown}},
                                           TextCase{"Counter",
                                                    CounterStatusText,
                                                    0,
                                                    {"Counter Idle", "---", "Counter Active", "---", "Counter Overflow",
                                                     "---"}}),
                         [](const ::testing::TestParamInfo<TextCase>& tp) { return std::string(tp.param.family); });

// ---- the operations over the scripted camera ----

class Calibration : public ProtocolFixture {
protected:
    Calibration() : runner_(command_, clock_, TestHosts())
    {
        // Short waits where the camera is silent; the real values are checked below.
        runner_.Times().resultQueryMs = 60;
        runner_.Times().shadingStartMs = 60;
        runner_.Times().userCalibrationStartMs = 60;
        runner_.Times().factoryCalibrationStartMs = 60;
        runner_.Times().whiteBalanceStartMs = 60;
        channel_.responder = [this](const std::string& line) -> std::vector<ScriptedChannel::Piece> {
            auto it = script_.find(line);
            if (it == script_.end() || it->second.empty()) return {};
            const std::string answer = it->second.front();
            if (it->second.size() > 1) it->second.erase(it->second.begin());
            return {{answer + "\r\n", 0}};
        };
    }

    // Answers for a line, one per time it comes; the last answer repeats.
    void Script(const std::string& line, Strings answers) { script_[line] = std::move(answers); }
    int Count(const std::string& line) const
    {
        int n = 0;
        for (const std::string& l : channel_.lines) n += l == line ? 1 : 0;
        return n;
    }

    FakeClock clock_;
    CalibrationRunner runner_;
    std::map<std::string, Strings> script_;
};

TEST_F(Calibration, RealTimeOutsAndPauseAreTheCamerasOwn)
{
    const OneShotTimes times;
    EXPECT_EQ(times.whiteBalanceStartMs, 40000);
    EXPECT_EQ(times.shadingStartMs, 420000);
    EXPECT_EQ(times.userCalibrationStartMs, 420000);
    EXPECT_EQ(times.factoryCalibrationStartMs, 200000);
    EXPECT_EQ(times.resultQueryMs, 5000);
    EXPECT_EQ(times.pauseMs, 1000);
}

TEST_F(Calibration, PixelGainBusyThreeTimesThenSucceededAfterFourStatusQueries)
{
    runner_.Times().userCalibrationStartMs = 420000;
    Script("PGR=0", {"COMPLETE"});
    Script("PGS?", {"PGS=0", "PGS=0", "PGS=0", "PGS=1"});
    EXPECT_EQ(runner_.Pixel(PixelCalibration::UserGain), 1);
    EXPECT_EQ(channel_.lines, (Strings{"PGR=0", "PGS?", "PGS?", "PGS?", "PGS?"}));
    // One pause of a second before every status query: about four seconds after the start.
    EXPECT_EQ(clock_.pauses, (std::vector<int>{1000, 1000, 1000, 1000}));
    ASSERT_EQ(host_.Shown().size(), 1u);
    EXPECT_EQ(host_.Shown()[0].text, "Succeeded");
    EXPECT_EQ(host_.Shown()[0].caption, "Recalibrate Pixel Gain");
    EXPECT_EQ(host_.Shown()[0].icon, MessageIcon::None);
}

struct FailureCase {
    const char* name;
    PixelCalibration which;
    Strings script;  // pairs: line, answer ("" = silent)
    std::string text;
    std::string caption;
    MessageIcon icon;
};

void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.name; }

class CalibrationEnd : public Calibration, public ::testing::WithParamInterface<FailureCase> {};

// How each pixel calibration ends when the camera does not play along: a silent start, a status query that
// goes unanswered in the middle, a status that never leaves "busy", a code outside the table.
TEST_P(CalibrationEnd, SaysOnceHowItEnded)
{
    const FailureCase& c = GetParam();
    for (std::size_t i = 0; i + 1 < c.script.size(); i += 2) {
        Strings answers;
        std::string all = c.script[i + 1];
        for (std::size_t start = 0; start <= all.size();) {
            const std::size_t bar = all.find('|', start);
            answers.push_back(all.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
            if (bar == std::string::npos) break;
            start = bar + 1;
        }
        if (all.empty()) answers.clear();
        Script(c.script[i], answers);
    }
    runner_.Pixel(c.which);
    if (c.text.empty()) {
        EXPECT_TRUE(host_.Shown().empty()) << ::testing::PrintToString(host_.Texts());
        return;
    }
    ASSERT_EQ(host_.Texts(), Strings{c.text});
    EXPECT_EQ(host_.Shown()[0].caption, c.caption);
    EXPECT_EQ(host_.Shown()[0].icon, c.icon);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CalibrationEnd,
    ::testing::Values(
        FailureCase{"UserStartSilent",
                    PixelCalibration::UserGain,
                    {"PGR=0", ""},
                    "Recalibrate Pixel Gain (Tool: PGR Command Timeout)",
                    "Recalibrate Pixel Gain",
                    MessageIcon::Stop},
        FailureCase{"UserBlackStartSilent",
                    PixelCalibration::UserBlack,
                    {"PBR=0", ""},
                    "Recalibrate Pixel Black (Tool: PBR Command Timeout)",
                    "Recalibrate Pixel Black",
                    MessageIcon::Stop},
        FailureCase{
            "FactoryStartSilentEndsQuietly", PixelCalibration::FactoryGain, {"PGR00=0", ""}, "", "", MessageIcon::None},
        FailureCase{"FactoryStatusGoesSilent",
                    PixelCalibration::FactoryBlack,
                    {"PBR00=0", "COMPLETE", "PBS00?", ""},
                    "Recalibrate Pixel Black (Factory) (Tool: PBS00 Command Timeout)",
                    "Recalibrate Pixel Black (Factory)",
                    MessageIcon::Stop},
        FailureCase{"BusyForeverEndsAtTheStartTimeOut",
                    PixelCalibration::UserGain,
                    {"PGR=0", "COMPLETE", "PGS?", "PGS=0"},
                    "Timeout Error",
                    "Recalibrate Pixel Gain",
                    MessageIcon::None},
        FailureCase{"Status7",
                    PixelCalibration::FactoryGain,
                    {"PGR00=0", "COMPLETE", "PGS00?", "PGS00=7"},
                    "Unknown Result",
                    "Recalibrate Pixel Gain (Factory)",
                    MessageIcon::None}),
    [](const ::testing::TestParamInfo<FailureCase>& tp) { return std::string(tp.param.name); });

TEST_F(Calibration, StatusGoesSilentMidwayEndsThePolling)
{
    // "PGS=0" once, then silence: the third query is never sent.
    runner_.Times().userCalibrationStartMs = 420000;
    int asked = 0;
    channel_.responder = [&](const std::string& line) -> std::vector<ScriptedChannel::Piece> {
        if (line == "PGR=0") return {{"COMPLETE\r\n", 0}};
        if (line == "PGS?" && ++asked == 1) return {{"PGS=0\r\n", 0}};
        return {};
    };
    EXPECT_EQ(runner_.Pixel(PixelCalibration::UserGain), 0);
    EXPECT_EQ(Count("PGS?"), 2);
    EXPECT_EQ(host_.Texts(), Strings{"Recalibrate Pixel Gain (Tool: PGS Command Timeout)"});
}

TEST_F(Calibration, TheProgressWindowCountsTheSecondsAndClosesBeforeTheResult)
{
    RecordingProgress progress;
    runner_.SetProgress(&progress);
    runner_.Times().factoryCalibrationStartMs = 200000;
    Script("PBR00=0", {"COMPLETE"});
    Script("PBS00?", {"PBS00=0", "PBS00=2"});
    EXPECT_EQ(runner_.Pixel(PixelCalibration::FactoryBlack), 1);
    EXPECT_EQ(progress.calls,
              (std::vector<std::string>{"open Now, running Recalibrate Pixel Black (Factory): 0 s",
                                        "Now, running Recalibrate Pixel Black (Factory): 1 s", "0%",
                                        "Now, running Recalibrate Pixel Black (Factory): 2 s", "1%", "close"}));
    EXPECT_EQ(host_.Texts(), std::vector<std::string>{"Too Bright"});
}

TEST_F(Calibration, BusyPollingIsBoundedByTheStartTimeOut)
{
    runner_.Times().userCalibrationStartMs = 5000;
    Script("PGR=0", {"COMPLETE"});
    Script("PGS?", {"PGS=0"});
    EXPECT_EQ(runner_.Pixel(PixelCalibration::UserGain), 0);
    // One query a second for the five seconds the start was allowed.
    EXPECT_EQ(Count("PGS?"), 5);
    EXPECT_EQ(host_.Texts(), Strings{"Timeout Error"});
}

TEST_F(Calibration, ShadingPausesOnceAndAsksOnce)
{
    Script("RS=0", {"COMPLETE"});
    Script("SDRS?", {"SDRS=0"});
    EXPECT_EQ(runner_.Shading(), 1);
    EXPECT_EQ(channel_.lines, (Strings{"RS=0", "SDRS?"}));
    EXPECT_EQ(clock_.pauses, std::vector<int>{1000});
    ASSERT_EQ(host_.Texts(), Strings{"Condition_Error"});
    EXPECT_EQ(host_.Shown()[0].caption, "Shading Calibration");
}

TEST_F(Calibration, ShadingStartFailureSaysSo)
{
    EXPECT_EQ(runner_.Shading(), 0);
    EXPECT_EQ(channel_.lines, Strings{"RS=0"});
    ASSERT_EQ(host_.Texts(), Strings{"Shading Calibration (Tool: RS Command Timeout)"});
    EXPECT_EQ(host_.Shown()[0].icon, MessageIcon::Stop);
}

// What each balance asks and says is the end-to-end one-shot table's; a start the camera does not
// acknowledge ends silently (the caller re-reads the mode).
TEST_F(Calibration, AnUnacknowledgedWhiteBalanceEndsSilently)
{
    EXPECT_EQ(runner_.WhiteBalance(CalibrationRunner::kWhiteBalanceOnce), 0);
    EXPECT_EQ(channel_.lines, Strings{"AWB=2"});
    EXPECT_TRUE(host_.Shown().empty());
}

}  // namespace
