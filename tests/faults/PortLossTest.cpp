// The serial adapter pulled out while the tool runs: reads on the port fail with an I/O error. The reader
// thread ends, the tool goes offline without a flood of messages, and choosing the port again in the
// communication dialog, or the tool itself once the port is back, reconnects without a restart.
#include "e2e/MainWindowFixture.h"

#include "dialogs/CCommunicationDialog.h"
#include "framework/OnlineStatusRegistry.h"
#include "link/Command.h"
#include "link/SerialLink.h"
#include "platform/SerialDevice.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"
#include "support/TestHosts.h"

#include <QAction>
#include <QCoreApplication>

#include <chrono>
#include <csignal>
#include <ctime>

namespace {

constexpr int kTimeoutMs = 250;
constexpr int kGainAllEdit = 1041;

bool Online() { return TestHosts().onlineStatus.GetStatusBitmap() == kBitmapOnline; }

using PortLoss = MainWindowFixture;

// Processor time of this process so far (every thread), in milliseconds.
long ProcessorMs() { return static_cast<long>(std::clock() * 1000 / CLOCKS_PER_SEC); }

// The terminal hangs up at the next line and comes back behind the same link (a USB adapter pulled and
// plugged in again), once held by another program, once free.
TEST_F(PortLoss, AHungUpPortGoesOfflineOnceSpinsNothingAndComesBackByItselfWhenFree)
{
    StartCameraProcess({"--dormant", "--hang-up-on", "1", "--set", "GA=222"});
    objects_->command.SetTimeoutLimitMs(kTimeoutMs);
    UseTimers();
    StartWindow();
    for (const bool heldByAnotherProgram : {true, false}) {
        SCOPED_TRACE(heldByAnotherProgram ? "held" : "free");
        ASSERT_NO_FATAL_FAILURE(ArmFaults());
        messages_.Clear();
        objects_->command.Ask(cmd::GA, kTimeoutMs);
        // Offline only once the reader thread has seen the hang-up and ended: a spinning reader never gets there.
        EXPECT_TRUE(RunUntil([this] { return parts_->portWatch.Watching(); }, 2000)) << "not offline within 2 s";
        EXPECT_FALSE(Online());
        EXPECT_FALSE(objects_->port.IsOpen()) << "the dead port was not closed";
        if (heldByAnotherProgram) {  // the processor time over the next 5 s, once
            const long processorBefore = ProcessorMs();
            RunUntil([] { return false; }, 5000);
            EXPECT_LT(ProcessorMs() - processorBefore, 250) << "more than 5 % of a core";
        }
        ASSERT_EQ(messages_.Shown().size(), 1u) << ::testing::PrintToString(messages_.Texts());
        EXPECT_NE(messages_.Shown()[0].text.find("COM1"), std::string::npos);

        ASSERT_TRUE(camera_->Signal(SIGUSR1));
        ASSERT_TRUE(camera_->WaitForLog("/dev/pts/", heldByAnotherProgram ? 2 : 3, 2000)) << camera_->Log();
        if (heldByAnotherProgram) {
            SerialDevice otherProgram;
            ASSERT_EQ(otherProgram.Open("COM1"), 1);
            EXPECT_TRUE(RunUntil([this] { return !parts_->portWatch.Watching(); }, 3000));
            EXPECT_FALSE(objects_->link.IsOpen());
            ASSERT_EQ(messages_.Texts().size(), 2u) << ::testing::PrintToString(messages_.Texts());
            EXPECT_EQ(messages_.Texts()[1].rfind("COM1 is back, but another program is using it.", 0), 0u);
            otherProgram.Close();
            parts_->communication->OnPortChanged(0);  // the operator's choice, once it is free
            ASSERT_TRUE(Online());
            continue;
        }
        EXPECT_TRUE(RunUntil([] { return Online(); }, 3000)) << "not online within 3 s";
    }
    messages_.Clear();
    // A value changed behind the tool's back shows that the reload really read the camera.
    ASSERT_TRUE(objects_->command.Set(cmd::GA, 333, 1000).Answered());
    parts_->menu.Action(MainMenu::kCmdReload)->trigger();
    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());
    EXPECT_EQ(objects_->table.GetDataValue(kGainAllEdit), 333);
}

// Reloads and gives how long it took, in milliseconds.
int TimedReload(ToolParts& parts)
{
    const auto start = std::chrono::steady_clock::now();
    parts.menu.Action(MainMenu::kCmdReload)->trigger();
    return static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
}

TEST_F(PortLoss, PulledWhileIdleGoesOfflineAndChoosingThePortAgainReconnects)
{
    StartCameraProcess({"--set", "GA=222"});
    objects_->command.SetTimeoutLimitMs(kTimeoutMs);
    StartWindow();
    ASSERT_TRUE(Online());

    // The camera's process ends: the terminal's master closes and the tool's reads fail with EIO.
    camera_.reset();
    // The reader thread meets the dead port while the window's events (and its background poll) run.
    RunUntil([this] { return objects_->port.LineLost() || !objects_->port.IsOpen(); }, 2000);
    messages_.Clear();
    EXPECT_LE(TimedReload(*parts_), 2 * kTimeoutMs + 1000);
    EXPECT_FALSE(Online());
    EXPECT_LE(messages_.Shown().size(), 1u) << ::testing::PrintToString(messages_.Texts());
    EXPECT_FALSE(objects_->command.IsBusy());
    EXPECT_EQ(objects_->table.GetDataValue(kGainAllEdit), 222) << "no value was made up while the camera was gone";

    // Plugged in again (the camera kept its power and its speed), the port chosen again: online, values read.
    camera_ = std::make_unique<CamsimProcess>(
        RV_CAMSIM_EXECUTABLE, 1, std::vector<std::string>{"--speed", "115200", "--set", "GA=333", "--log", logPath_});
    ASSERT_TRUE(camera_->Ok()) << camera_->Error();
    messages_.Clear();
    parts_->communication->OnPortChanged(0);
    EXPECT_TRUE(Online());
    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());
    EXPECT_EQ(objects_->table.GetDataValue(kGainAllEdit), 333);
}

TEST_F(PortLoss, PulledInTheMiddleOfAReloadEndsItAndTheSamePortReconnects)
{
    StartCameraProcess({"--dormant", "--hang-up-on", "30"});
    objects_->command.SetTimeoutLimitMs(kTimeoutMs);
    StartWindow();
    ASSERT_NO_FATAL_FAILURE(ArmFaults());
    messages_.Clear();
    EXPECT_LE(TimedReload(*parts_), 2 * kTimeoutMs + 1000);
    EXPECT_FALSE(Online());
    ASSERT_EQ(messages_.Shown().size(), 1u) << ::testing::PrintToString(messages_.Texts());
    EXPECT_EQ(messages_.Shown()[0].text.rfind("The camera stopped answering: ", 0), 0u);

    // The adapter back in: a new terminal behind the same port name.
    ASSERT_TRUE(camera_->Signal(SIGUSR1));
    ASSERT_TRUE(camera_->WaitForLog("/dev/pts/", 2, 2000)) << camera_->Log();
    messages_.Clear();
    parts_->communication->OnPortChanged(0);
    EXPECT_TRUE(Online());
    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());
    int gain = -1;
    const RequestOutcome gainAsked = objects_->command.Ask(cmd::GA, 1000);
    ASSERT_TRUE(gainAsked.Answered());
    gain = gainAsked.value.intValue;
    EXPECT_EQ(objects_->table.GetDataValue(kGainAllEdit), gain);
}

}  // namespace
