#include "support/ProtocolFixture.h"

#include "framework/UiHost.h"
#include "link/BaudRateHandshake.h"
#include "support/ManualTimerService.h"
#include "tables/CommandTable.h"

namespace {

class Requests : public ProtocolFixture {};

TEST_F(Requests, SettingAndQueryLinesGoOutExactlyAndAreLogged)
{
    Answer("GA=512", "COMPLETE");
    Answer("GA?", "GA=512");
    ASSERT_TRUE(command_.Set(cmd::GA, 512, 1000).Answered());
    const RequestOutcome valueAsked = command_.Ask(cmd::GA, 1000);
    ASSERT_TRUE(valueAsked.Answered());
    EXPECT_EQ(valueAsked.value.intValue, 512);
    EXPECT_EQ(channel_.written, "GA=512\r\nGA?\r\n");
    EXPECT_EQ(terminal_.lines, (std::vector<std::string>{"Tx: GA=512", "Rx: COMPLETE", "Tx: GA?", "Rx: GA=512"}));
    EXPECT_EQ(messages_.lines, (std::vector<std::string>{"GA=512", "COMPLETE", "GA?", "GA=512"}));
    EXPECT_EQ(status_.changes, (std::vector<bool>{true, true}));
    EXPECT_TRUE(host_.Shown().empty());
}

TEST_F(Requests, AcknowledgementIsCompleteInAnyCaseAtTheStart)
{
    struct Case {
        const char* answer;
        int result;
    };
    const Case cases[] = {{"COMPLETE", 1}, {"complete", 1}, {"Complete GA=5", 1}, {"COMPLETED", 1},
                          {"COMPLET", 0},  {"ERROR", 0},    {" COMPLETE", 0},     {"", 0}};
    for (const Case& c : cases) {
        Answer("GA=1", c.answer);
        host_.Clear();
        status_.changes.clear();
        const RequestOutcome outcome = command_.Set(cmd::GA, 1, 1000);
        EXPECT_EQ(outcome.result, c.result ? RequestResult::Answered : RequestResult::Refused) << c.answer;
        // Whatever the answer, the camera is there.
        EXPECT_EQ(status_.changes, std::vector<bool>{true}) << c.answer;
        // The camera's own words are the failure's text; the protocol shows nothing itself.
        EXPECT_EQ(outcome.FailureText(), c.result ? "" : c.answer);
        EXPECT_TRUE(host_.Shown().empty()) << c.answer;
    }
}

TEST_F(Requests, WrongQueryAnswersShowAnswerAndQueryAndLeaveTheStatus)
{
    struct Case {
        const char* answer;
        const char* message;
    };
    const Case cases[] = {{"GB=5", "GB=5 for GA?"},
                          {"ERROR", "ERROR for GA?"},
                          {"NOSUCH=1", "NOSUCH=1 for GA?"},
                          {"G A B = 1", "GAB=1 for GA?"},
                          {"COMPLETE", "COMPLETE for GA?"}};
    for (const Case& c : cases) {
        Answer("GA?", c.answer);
        host_.Clear();
        status_.changes.clear();
        const RequestOutcome outcome = command_.Ask(cmd::GA, 1000);
        EXPECT_EQ(outcome.result, RequestResult::Refused) << c.answer;
        EXPECT_EQ(outcome.FailureText(), c.message);
        EXPECT_TRUE(host_.Shown().empty()) << c.answer;
        EXPECT_TRUE(status_.changes.empty()) << c.answer;
    }
}

TEST_F(Requests, BareEchoAndTextAnswers)
{
    Answer("GA?", "GA?");
    const RequestOutcome valueAsked = command_.Ask(cmd::GA, 1000);
    ASSERT_TRUE(valueAsked.Answered());
    EXPECT_EQ(valueAsked.value.intValue, 0);
    Answer("MD?", "MD=RV-8200-B1");
    const RequestOutcome textAsked = command_.Ask(cmd::MD, 1000);
    ASSERT_TRUE(textAsked.Answered());
    EXPECT_EQ(textAsked.value.text, "RV-8200-B1");
    Answer("MD?", "GA=1");
    const RequestOutcome refused = command_.Ask(cmd::MD, 1000);
    EXPECT_FALSE(refused.Answered());
    EXPECT_EQ(refused.value.text, "");
}

TEST_F(Requests, SilentCameraTimesOutWithinBoundsAndGoesOffline)
{
    // On the manual clock: a request gives up no earlier than its time-out and at most one wait step later.
    for (int timeoutMs : {0, 45, 200, 5000}) {
        status_.changes.clear();
        int start = clock_.NowMs();
        EXPECT_FALSE(command_.Ask(cmd::GA, timeoutMs).Answered());
        EXPECT_GE(clock_.NowMs() - start, timeoutMs);
        EXPECT_LE(clock_.NowMs() - start, timeoutMs + Command::kWaitStepMs) << timeoutMs;
        EXPECT_EQ(status_.changes, std::vector<bool>{false});

        start = clock_.NowMs();
        EXPECT_FALSE(command_.Set(cmd::GA, 1, timeoutMs).Answered());
        EXPECT_GE(clock_.NowMs() - start, timeoutMs);
        EXPECT_LE(clock_.NowMs() - start, timeoutMs + Command::kWaitStepMs) << timeoutMs;
    }
    // The cap of the fault drills shortens every wait.
    command_.SetTimeoutLimitMs(100);
    const int start = clock_.NowMs();
    EXPECT_EQ(command_.Ask(cmd::GA, 5000).result, RequestResult::TimedOut);
    EXPECT_GE(clock_.NowMs() - start, 100);
    EXPECT_LE(clock_.NowMs() - start, 100 + Command::kWaitStepMs);
    EXPECT_TRUE(host_.Shown().empty());
}

TEST_F(Requests, EndlessLineDoesNotHoldTheRequestPastItsTimeOut)
{
    channel_.responder = [](const std::string&) {
        std::vector<ScriptedChannel::Piece> trickle(100, ScriptedChannel::Piece{"x", 4});
        return trickle;
    };
    EXPECT_FALSE(command_.Ask(cmd::GA, 100).Answered());
    EXPECT_GE(clock_.NowMs(), 100);
    EXPECT_LE(clock_.NowMs(), 100 + Command::kWaitStepMs);
    EXPECT_TRUE(host_.Shown().empty());
}

TEST_F(Requests, AnswerIsTakenAsSoonAsItArrives)
{
    channel_.responder = [](const std::string&) -> std::vector<ScriptedChannel::Piece> { return {{"GA=3\r\n", 2}}; };
    const RequestOutcome valueAsked = command_.Ask(cmd::GA, 5000);
    ASSERT_TRUE(valueAsked.Answered());
    EXPECT_EQ(valueAsked.value.intValue, 3);
    // Not the fixed 20 ms step of a sleeping wait.
    EXPECT_LE(clock_.NowMs(), 3);
}

TEST_F(Requests, OverlongLineIsDroppedWholeAndNamedInTheOutcome)
{
    const std::string overlong(1500, 'X');
    AnswerRaw("GA?", overlong + "\r\n");
    const RequestOutcome dropped = command_.Ask(cmd::GA, 150);
    EXPECT_EQ(dropped.result, RequestResult::TimedOut);
    EXPECT_GE(clock_.NowMs(), 150);
    EXPECT_EQ(dropped.FailureText(), "RS-232C receiving buffer overflowed");

    // The line after an overlong one is an answer again.
    AnswerRaw("GA?", overlong + "\r\nGA=7\r\n");
    const RequestOutcome next = command_.Ask(cmd::GA, 1000);
    ASSERT_TRUE(next.Answered());
    EXPECT_EQ(next.value.intValue, 7);

    // Bytes without any line feed: the next request starts clean, its answer is not eaten as the tail.
    AnswerRaw("GA?", std::string(1100, 'Y'));
    EXPECT_EQ(command_.Ask(cmd::GA, 100).result, RequestResult::TimedOut);
    Answer("EA?", "EA=2");
    EXPECT_EQ(command_.Ask(cmd::EA, 1000).value.intValue, 2);
    EXPECT_TRUE(host_.Shown().empty());
}

TEST_F(Requests, LongestLineIsAccepted)
{
    const std::string text(1020, 'u');
    AnswerRaw("UD?", "UD=" + text + "\n");  // 1023 bytes before the line feed
    const RequestOutcome gotAsked = command_.Ask(cmd::UD, 1000);
    ASSERT_TRUE(gotAsked.Answered());
    EXPECT_EQ(gotAsked.value.text, text);
    AnswerRaw("UD?", "UD=" + text.substr(1) + "\r\n");  // 1023 bytes with the CR
    const RequestOutcome gotAsked2 = command_.Ask(cmd::UD, 1000);
    ASSERT_TRUE(gotAsked2.Answered());
    EXPECT_EQ(gotAsked2.value.text, text.substr(1));
    EXPECT_TRUE(host_.Shown().empty());
}

TEST_F(Requests, TextSendKeepsTheTextAndTheTablesType)
{
    Answer("GA=&H20", "COMPLETE");
    ASSERT_TRUE(command_.SetText(cmd::GA, "&H20", 1000).Answered());
    EXPECT_EQ(channel_.lines.back(), "GA=&H20");
    EXPECT_EQ(CommandTable::ValueType(cmd::GA), kValueInteger);

    // A line break would smuggle a second command onto the line.
    const std::size_t before = channel_.written.size();
    const RequestOutcome refused = command_.SetText(cmd::UD, "abc\r\nEA=1", 1000);
    EXPECT_EQ(refused.result, RequestResult::NotSent);
    EXPECT_EQ(refused.FailureText(), "The value for UD contains a line break and was not sent.");
    EXPECT_EQ(channel_.written.size(), before);
    EXPECT_TRUE(host_.Shown().empty());
}

TEST_F(Requests, StaleLinesNeverAnswerALaterRequest)
{
    channel_.Deliver({{"GA=1\r\nCOMPLETE\r\n", 0}});
    Answer("GA?", "GA=2");
    const RequestOutcome valueAsked = command_.Ask(cmd::GA, 1000);
    ASSERT_TRUE(valueAsked.Answered());
    EXPECT_EQ(valueAsked.value.intValue, 2);
    // Dropped, but still shown in the logs.
    EXPECT_EQ(terminal_.lines.front(), "Rx: GA=1");
}

TEST_F(Requests, WithoutAChannelKindNothingIsSentAndTheStatusGoesOffline)
{
    link_.SetMode(7);
    EXPECT_EQ(command_.Set(cmd::GA, 1, 1000).result, RequestResult::NotSent);
    EXPECT_EQ(command_.Ask(cmd::GA, 100).result, RequestResult::NotSent);
    EXPECT_TRUE(terminal_.lines.empty());
    EXPECT_EQ(status_.changes, (std::vector<bool>{false, false}));
    const Command::RequestCounts& counts = command_.Counts();
    EXPECT_EQ(counts.notSent, 2);
    EXPECT_EQ(counts.answered + counts.refused + counts.timedOut, 0);
}

// A user interface whose message pump runs the protocol's poll timer, as a real one would.
class PumpingUi : public UiHost {
public:
    explicit PumpingUi(ManualTimerService& timers) : timers_(timers), previous_(SetUiHost(this)) {}
    ~PumpingUi() override { SetUiHost(previous_); }
    void ShowWaitCursor(bool show) override { cursor.push_back(show); }
    void PumpMessages(bool paintOnly) override
    {
        ++pumps;
        paintOnlyEveryTime = paintOnlyEveryTime && paintOnly;
        timers_.FireAll();
    }
    std::vector<bool> cursor;
    int pumps = 0;
    bool paintOnlyEveryTime = true;

private:
    ManualTimerService& timers_;
    UiHost* previous_;
};

TEST_F(Requests, BackgroundPollLogsAndQueuesLinesOutsideRequests)
{
    ManualTimerService timers;
    command_.StartPolling();
    ASSERT_TRUE(command_.IsPolling());
    EXPECT_EQ(timers.RunningCount(), 1);
    channel_.Deliver({{"HELLO\r\nAGAIN\r\nPART", 0}});
    timers.FireAll();
    EXPECT_EQ(command_.ReceivedCount(), 2);
    EXPECT_EQ(command_.TakeLine(), "HELLO");
    EXPECT_EQ(terminal_.lines, (std::vector<std::string>{"Rx: HELLO", "Rx: AGAIN"}));
    channel_.Deliver({{"IAL\r\n", 0}});
    timers.FireAll();
    EXPECT_EQ(terminal_.lines.back(), "Rx: PARTIAL");
    command_.StopPolling();
    EXPECT_EQ(timers.RunningCount(), 0);
}

TEST_F(Requests, LongWaitKeepsWindowsPaintedAndThePollAway)
{
    ManualTimerService timers;
    PumpingUi ui(timers);
    command_.StartPolling();
    channel_.responder = [](const std::string&) -> std::vector<ScriptedChannel::Piece> {
        return {{"GA=4", 130}, {"2\r\n", 40}};
    };
    const RequestOutcome valueAsked = command_.Ask(cmd::GA, 1000);
    ASSERT_TRUE(valueAsked.Answered());
    EXPECT_EQ(valueAsked.value.intValue, 42);
    EXPECT_GT(ui.pumps, 0);
    EXPECT_TRUE(ui.paintOnlyEveryTime);
    // The poll ran inside the wait but left the answer to the request.
    EXPECT_EQ(command_.ReceivedCount(), 0);

    channel_.responder = [](const std::string&) -> std::vector<ScriptedChannel::Piece> {
        return {{"COMPLETE\r\n", 5}};
    };
    ASSERT_TRUE(command_.Set(cmd::GA, 1, 1000).Answered());
    EXPECT_EQ(ui.cursor, (std::vector<bool>{true, false}));
}

TEST_F(Requests, SpeedChangeMovesCameraAndPcTogether)
{
    Answer("CBDRT=16", "COMPLETE");
    ASSERT_EQ(ChangeCameraBaudRate(command_, link_, 115200), 1);
    EXPECT_EQ(channel_.lines, (std::vector<std::string>{"CBDRT=16", "CBDRT=16"}));
    EXPECT_EQ(link_.GetBaudRate(), 115200);
    EXPECT_EQ(channel_.rate, 115200);

    // Refused at the old speed: nothing changes.
    channel_.lines.clear();
    Answer("CBDRT=1", "ERROR");
    EXPECT_EQ(ChangeCameraBaudRate(command_, link_, 9600), 0);
    EXPECT_EQ(channel_.lines.size(), 1u);
    EXPECT_EQ(link_.GetBaudRate(), 115200);

    // Acknowledged once, then silence at the new speed: the PC goes back.
    channel_.lines.clear();
    int calls = 0;
    channel_.responder = [&calls](const std::string&) -> std::vector<ScriptedChannel::Piece> {
        return ++calls == 1 ? std::vector<ScriptedChannel::Piece>{{"COMPLETE\r\n", 0}}
                            : std::vector<ScriptedChannel::Piece>{};
    };
    EXPECT_EQ(ChangeCameraBaudRate(command_, link_, 38400, 100), 0);
    EXPECT_EQ(link_.GetBaudRate(), 115200);
    EXPECT_EQ(channel_.rate, 115200);

    // A rate outside the list is never sent.
    channel_.lines.clear();
    EXPECT_EQ(ChangeCameraBaudRate(command_, link_, 230400), 0);
    EXPECT_TRUE(channel_.lines.empty());
}

// The camera answers a request only after the tool has given it up; that late line arrives while the next
// request waits. It must not be taken for the next request's answer, and the next request still gets its own.
struct LateCase {
    const char* name;
    bool firstIsQuery;  // GA? answered late with "GA=5", else GA=1 acknowledged late with COMPLETE
    bool secondIsQuery;  // HB? answered "HB=1", else HB=1 acknowledged with COMPLETE
};

class LateAnswers : public ProtocolFixture, public ::testing::WithParamInterface<LateCase> {};

TEST_P(LateAnswers, ArePassedOverByTheNextRequest)
{
    const LateCase& c = GetParam();
    channel_.responder = [](const std::string& line) -> std::vector<ScriptedChannel::Piece> {
        if (line == "GA?") return {{"GA=5\r\n", 150}};
        if (line == "GA=1") return {{"COMPLETE\r\n", 150}};
        if (line == "HB?") return {{"HB=1\r\n", 0}};
        if (line == "HB=1") return {{"COMPLETE\r\n", 0}};
        return {};
    };
    const RequestOutcome first = c.firstIsQuery ? command_.Ask(cmd::GA, 100) : command_.Set(cmd::GA, 1, 100);
    EXPECT_EQ(first.result, RequestResult::TimedOut);
    // The late line comes 50 ms into the next request, just before that request's own answer.
    const RequestOutcome second = c.secondIsQuery ? command_.Ask(cmd::HB, 1000) : command_.Set(cmd::HB, 1, 1000);
    EXPECT_TRUE(second.Answered());
    if (c.secondIsQuery) {
        EXPECT_EQ(second.value.intValue, 1);
    }
    EXPECT_TRUE(host_.Shown().empty()) << ::testing::PrintToString(host_.Texts());
}

INSTANTIATE_TEST_SUITE_P(Cases, LateAnswers,
                         ::testing::Values(LateCase{"QueryThenQuery", true, true},
                                           LateCase{"QueryThenSetting", true, false},
                                           LateCase{"SettingThenQuery", false, true}),
                         [](const ::testing::TestParamInfo<LateCase>& tp) { return std::string(tp.param.name); });

}  // namespace
