// The gate that keeps operator actions from interleaving with camera work.
#include "operations/OperationGate.h"

#include "support/ManualTimerService.h"
#include "support/TestHosts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(OperationGate, ActionsArrivingDuringAnOperationRunWholeAfterItInOrder)
{
    OperationGate gate(TestHosts().timers);
    std::string trace;
    gate.Run([&] {
        trace += "[op";
        // As if keys and a menu command were pumped through the message loop while the camera answered.
        EXPECT_FALSE(gate.Run([&] { trace += "[key]"; }));
        EXPECT_FALSE(gate.Run([&] {
            trace += "[menu";
            // An action queued by a queued action runs after it, not inside it.
            gate.Run([&] { trace += "[late]"; });
            trace += "]";
        }));
        trace += "]";
    });
    EXPECT_EQ(trace, "[op][key][menu][late]");
    EXPECT_EQ(gate.QueuedCount(), 0);
}

TEST(OperationGate, SomethingBusyOutsideTheGateQueuesUntilTheNextEnd)
{
    OperationGate gate(TestHosts().timers);
    bool requestWaiting = true;
    gate.SetExternalBusy([&] { return requestWaiting; });
    int runs = 0;
    EXPECT_FALSE(gate.Run([&] { ++runs; }));
    EXPECT_EQ(runs, 0);
    requestWaiting = false;
    gate.Drain();
    EXPECT_EQ(runs, 1);
}

TEST(OperationGate, WithoutAHolderTheQueueIsRetriedByTimer)
{
    ManualTimerService timers;
    OperationGate gate(TestHosts().timers);
    bool readRunning = true;  // a read started elsewhere, not through the gate
    gate.SetExternalBusy([&] { return readRunning; });
    int runs = 0;
    gate.Run([&] { ++runs; });
    timers.FireAll();
    EXPECT_EQ(runs, 0);
    readRunning = false;
    timers.FireAll();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(timers.RunningCount(), 0);
}

}  // namespace
