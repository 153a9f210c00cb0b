#include "support/CamsimProcess.h"
#include "support/Elapsed.h"

#include "framework/COnlineStatusUpdater.h"
#include "framework/OnlineStatusRegistry.h"
#include "framework/StatusStrip.h"
#include "link/BaudRateHandshake.h"
#include "link/ComPort.h"
#include "link/Command.h"
#include "link/SerialLink.h"
#include "support/RecordingMessageHost.h"
#include "support/TestHosts.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPortIndex = 3;  // "COM4"
// What a loaded two-core machine may add to a wait measured on the steady clock.
constexpr int kSlackMs = 1000;

class StatusRecorder : public COnlineStatusUpdater, private StatusStrip {
public:
    std::vector<bool> changes;
    StatusRecorder()
    {
        BindStatusStrip(this);
        TestHosts().onlineStatus.Register(this);
    }
    void OnOnlineStatusChanged(bool online) override { changes.push_back(online); }

private:
    void SetStatusBitmap(int) override {}
    bool Exists() const override { return true; }
};

// The tool's link and protocol against the simulated camera on a pseudo-terminal reached as "COM4".
class CameraLink : public ::testing::Test {
protected:
    void Start(const std::vector<std::string>& options = {})
    {
        camera_ = std::make_unique<CamsimProcess>(RV_CAMSIM_EXECUTABLE, kPortIndex + 1, options);
        ASSERT_TRUE(camera_->Ok()) << camera_->Error();
        LinkSettings settings;
        settings.comPortIndex = kPortIndex;
        link_ = std::make_unique<SerialLink>(
            settings, port_, [](int) -> ClSerialKind* { return nullptr; }, nullptr);
        command_ = std::make_unique<Command>(*link_, TestHosts());
        ASSERT_EQ(link_->ReopenCurrent(), 1) << ::testing::PrintToString(host_.Texts());
    }

    void TearDown() override
    {
        command_.reset();
        link_.reset();
        port_.Close();
        if (HasFailure() && camera_) std::cerr << "camera log:\n" << camera_->Log() << "\n";
        camera_.reset();
    }

    RecordingMessageHost host_;
    StatusRecorder status_;
    ComPort port_;
    std::unique_ptr<CamsimProcess> camera_;
    std::unique_ptr<SerialLink> link_;
    std::unique_ptr<Command> command_;
};

TEST_F(CameraLink, SettingsAndQueries)
{
    Start();
    const RequestOutcome modelAsked = command_->Ask(cmd::MD, 1000);
    ASSERT_TRUE(modelAsked.Answered());
    EXPECT_EQ(modelAsked.value.text, "RV-8200-A1");

    ControlTable table;
    int minimum = 0;
    int maximum = 0;
    ASSERT_EQ(table.GetRange(table.ToCtrlId(cmd::GA), minimum, maximum), 1);
    int gain = -1;
    const RequestOutcome gainAsked = command_->Ask(cmd::GA, 5000);
    ASSERT_TRUE(gainAsked.Answered());
    gain = gainAsked.value.intValue;
    const int wanted = gain == maximum ? minimum : gain + 1;
    ASSERT_TRUE(command_->Set(cmd::GA, wanted, 5000).Answered());
    const RequestOutcome gainAsked2 = command_->Ask(cmd::GA, 5000);
    ASSERT_TRUE(gainAsked2.Answered());
    EXPECT_EQ(gainAsked2.value.intValue, wanted);
    EXPECT_TRUE(host_.Shown().empty()) << ::testing::PrintToString(host_.Texts());
    EXPECT_EQ(status_.changes, (std::vector<bool>{true, true, true, true}));
}

TEST_F(CameraLink, RefusalsCarryTheCamerasText)
{
    Start();
    const RequestOutcome setting = command_->Set(cmd::GA, 99999999, 5000);
    EXPECT_EQ(setting.result, RequestResult::Refused);
    EXPECT_EQ(setting.FailureText().rfind("ERROR", 0), 0u) << setting.FailureText();
    EXPECT_EQ(status_.changes, std::vector<bool>{true}) << "a refusal still shows the camera is there";

    const RequestOutcome query = command_->Ask(cmd::RS, 5000);
    EXPECT_EQ(query.result, RequestResult::Refused);
    const std::string text = query.FailureText();
    EXPECT_EQ(text.rfind("ERROR", 0), 0u) << text;
    ASSERT_GT(text.size(), 8u);
    EXPECT_EQ(text.substr(text.size() - 8), " for RS?") << text;
}

// A real-time smoke test (run serially, see the CMake file): the time-outs on the steady clock, across two
// processes, with a second of slack for a loaded machine. The exact bounds are checked on the manual clock
// by the protocol tests.
TEST_F(CameraLink, SilentCameraTimesOutWithinBounds)
{
    Start({"--silent"});
    auto start = Clock::now();
    EXPECT_FALSE(command_->Ask(cmd::GA, 300).Answered());
    EXPECT_GE(MsSince(start), 300);
    EXPECT_LE(MsSince(start), 300 + kSlackMs);
    start = Clock::now();
    EXPECT_FALSE(command_->Set(cmd::GA, 1, 300).Answered());
    EXPECT_GE(MsSince(start), 300);
    EXPECT_LE(MsSince(start), 300 + kSlackMs);

    // The real time-out of ordinary reads.
    start = Clock::now();
    EXPECT_FALSE(command_->Ask(cmd::GA, 5000).Answered());
    const int elapsed = MsSince(start);
    EXPECT_GE(elapsed, 5000);
    EXPECT_LE(elapsed, 5000 + kSlackMs);
    EXPECT_TRUE(host_.Shown().empty());
    EXPECT_EQ(status_.changes, (std::vector<bool>{false, false, false}));
}

TEST_F(CameraLink, AnswersInPiecesAndLateAnswers)
{
    Start({"--split", "30", "--answer-delay", "120"});
    std::string model;
    const auto start = Clock::now();
    const RequestOutcome modelAsked = command_->Ask(cmd::MD, 5000);
    ASSERT_TRUE(modelAsked.Answered());
    model = modelAsked.value.text;
    EXPECT_GE(MsSince(start), 120);
    EXPECT_EQ(model, "RV-8200-A1");
    ASSERT_TRUE(command_->Set(cmd::GA, 100, 5000).Answered());
    EXPECT_TRUE(host_.Shown().empty()) << ::testing::PrintToString(host_.Texts());
}

TEST_F(CameraLink, OverlongAnswersFailNamingTheOverflow)
{
    Start({"--overlong"});
    EXPECT_EQ(command_->Ask(cmd::GA, 500).FailureText(), "RS-232C receiving buffer overflowed");
}

TEST_F(CameraLink, GarbageNeverPassesForAnAnswer)
{
    Start({"--garbage"});
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(command_->Ask(cmd::GA, 300).Answered());
        EXPECT_FALSE(command_->Set(cmd::GA, 1, 300).Answered());
    }
    EXPECT_GT(command_->Counts().refused, 0);
}

TEST_F(CameraLink, SpeedChangeMovesBothEndsAndAMismatchStaysSilent)
{
    Start();
    ASSERT_EQ(ChangeCameraBaudRate(*command_, *link_, 115200), 1) << ::testing::PrintToString(host_.Texts());
    EXPECT_EQ(link_->GetBaudRate(), 115200);
    ASSERT_TRUE(command_->Ask(cmd::MD, 1000).Answered());

    ASSERT_EQ(link_->ReopenWithBaud(38400), 1);
    EXPECT_FALSE(command_->Ask(cmd::GA, 300).Answered());
    EXPECT_TRUE(host_.Shown().empty()) << ::testing::PrintToString(host_.Texts());

    ASSERT_EQ(link_->ReopenWithBaud(115200), 1);
    const RequestOutcome modelAsked = command_->Ask(cmd::MD, 1000);
    ASSERT_TRUE(modelAsked.Answered());
    EXPECT_EQ(modelAsked.value.text, "RV-8200-A1");
}

TEST_F(CameraLink, PortIsExclusiveAndClosesPromptly)
{
    Start();
    ComPort second;
    EXPECT_EQ(second.Open("COM4", 9600, 8, 0, false, false), 0);
    EXPECT_EQ(second.LastError(),
              "COM4 leads to " + SerialDevice::LeadsTo("COM4") + ", which is in use by another program");

    // The reader thread is waiting for bytes that never come.
    const auto start = Clock::now();
    link_->Close();
    EXPECT_LT(MsSince(start), kSlackMs);
    EXPECT_EQ(second.Open("COM4", 9600, 8, 0, false, false), 1);
}

TEST_F(CameraLink, DisconnectedCameraOnlyTimesOut)
{
    Start({"--disconnect-after", "2"});
    ASSERT_TRUE(command_->Ask(cmd::MD, 1000).Answered());
    ASSERT_TRUE(command_->Ask(cmd::MD, 1000).Answered());
    const auto start = Clock::now();
    EXPECT_FALSE(command_->Ask(cmd::GA, 300).Answered());
    EXPECT_LE(MsSince(start), 300 + kSlackMs);
    const auto closeStart = Clock::now();
    link_->Close();
    EXPECT_LT(MsSince(closeStart), kSlackMs);
}

}  // namespace
