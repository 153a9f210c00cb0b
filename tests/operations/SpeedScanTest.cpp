// The start-up's speed scan over a port that refuses some speeds.
#include "operations/SpeedScan.h"

#include "support/ProtocolFixture.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

// A Camera Link port that offers only some speeds; the camera answers only at its own.
class PickyChannel : public ScriptedChannel {
public:
    bool SupportsBaudRate(int r) override { return offered.count(r) != 0; }
    int SetBaudRate(int r) override
    {
        if (offered.count(r) == 0 || refusedOnSet.count(r) != 0) return 0;
        rate = r;
        return 1;
    }
    std::set<int> offered;
    std::set<int> refusedOnSet;  // offered, but refused when asked for
};

class Scan : public ::testing::Test {
protected:
    Scan()
        : link_(
              LinkSettings{}, port_, [this](int mode) { return mode == kLinkCl2000 ? &channel_ : nullptr; }, nullptr)
    {
        link_.Open(kLinkCl2000, 9600, 0);
    }

    // Whether the camera would answer now: it listens at cameraRate, and the port must be at that rate.
    bool Answers()
    {
        tried_.push_back(channel_.rate);
        return channel_.rate == cameraRate_;
    }

    RecordingMessageHost messages_;
    ComPort port_;
    PickyChannel channel_;
    SerialLink link_;
    int cameraRate_ = 0;
    std::vector<int> tried_;
};

TEST_F(Scan, SkipsASpeedThePortRefusesAndFindsTheCameraBelowIt)
{
    channel_.offered = {9600, 19200, 38400, 57600};
    ASSERT_EQ(link_.Open(kLinkCl2000, 9600, 0), 1);
    cameraRate_ = 57600;
    std::vector<int> shown;
    SpeedScan scan(link_, [this] { return Answers(); });
    scan.SetSpeedShown([&](int index) { shown.push_back(index); });

    EXPECT_TRUE(scan.Run());
    EXPECT_EQ(tried_, (std::vector<int>{9600, 57600}));
    EXPECT_EQ(shown, std::vector<int>{3});
    EXPECT_EQ(link_.GetBaudRate(), 57600);
    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());
}

TEST_F(Scan, WithoutACameraTheLinkStaysAtASpeedThePortReallyRuns)
{
    // The port claims every speed but refuses all except 19200 and 38400 when asked, its start speed too.
    channel_.offered = {9600, 19200, 38400, 57600, 115200};
    ASSERT_EQ(link_.Open(kLinkCl2000, 9600, 0), 1);
    channel_.refusedOnSet = {9600, 57600, 115200};
    SpeedScan scan(link_, [this] { return Answers(); });
    EXPECT_FALSE(scan.Run());
    EXPECT_EQ(tried_, (std::vector<int>{9600, 38400, 19200}));
    // The last speed the port took, not the refused 9600 of the scan's end.
    EXPECT_EQ(link_.GetBaudRate(), 19200);
    EXPECT_EQ(channel_.rate, 19200);
    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());
}

}  // namespace
