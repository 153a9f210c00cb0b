// The dependencies between the simulated camera's parameters, as the tool reads them back.
#include "camsim/CameraModel.h"

#include <gtest/gtest.h>

#include <string>

namespace camsim {
namespace {

class Rules : public ::testing::Test {
protected:
    std::string Ask(const std::string& line) { return camera_.HandleLine(line); }
    int Get(const char* mnemonic)
    {
        const std::string answer = camera_.HandleLine(std::string(mnemonic) + "?");
        const std::string prefix = std::string(mnemonic) + "=";
        EXPECT_EQ(answer.rfind(prefix, 0), 0u) << answer;
        return std::stoi(answer.substr(prefix.size()));
    }
    void Accept(const std::string& line) { EXPECT_EQ(Ask(line), "COMPLETE\r\n") << line; }
    void Refuse(const std::string& line, const std::string& reason)
    {
        const std::string answer = Ask(line);
        EXPECT_EQ(answer.rfind("ERROR", 0), 0u) << line << " -> " << answer;
        EXPECT_NE(answer.find(reason), std::string::npos) << line << " -> " << answer;
    }

    CameraModel camera_;
};

struct LinePeriodCase {
    int pixelFormat;  // BA
    int tapConfig;  // CLCFG
    int lineMin;
};

class LinePeriodLimit : public ::testing::TestWithParam<LinePeriodCase> {};

TEST_P(LinePeriodLimit, FollowsPixelFormatAndTaps)
{
    CameraModel camera;
    const LinePeriodCase& c = GetParam();
    EXPECT_EQ(camera.HandleLine("BA=" + std::to_string(c.pixelFormat)), "COMPLETE\r\n");
    EXPECT_EQ(camera.HandleLine("CLCFG=" + std::to_string(c.tapConfig)), "COMPLETE\r\n");
    EXPECT_EQ(camera.Value(cmd::LRMIN), c.lineMin);
    EXPECT_GE(camera.Value(cmd::LR), c.lineMin);
}

INSTANTIATE_TEST_SUITE_P(Configurations, LinePeriodLimit,
                         ::testing::Values(LinePeriodCase{0, 0, 4820}, LinePeriodCase{1, 0, 6030},
                                           LinePeriodCase{0, 1, 2410}, LinePeriodCase{1, 1, 3020},
                                           LinePeriodCase{0, 2, 1810}, LinePeriodCase{0, 4, 1450},
                                           LinePeriodCase{1, 4, 1810}));

TEST_F(Rules, RaisingTheMinimumLiftsTheLinePeriodAndItsExposureLimit)
{
    Accept("CLCFG=4");
    Accept("TR=1");
    Accept("LR=1450");
    Refuse("LR=1449", "1450..1000000");
    Accept("PE=1000");
    Accept("BA=1");
    EXPECT_EQ(Get("LR"), 1810);
    EXPECT_EQ(Get("PEMAX"), 1710);
    Accept("CLCFG=0");
    EXPECT_EQ(Get("LR"), 6030);
    EXPECT_EQ(Get("PE"), 1000) << "a longer line leaves the exposure alone";
    Accept("LR=20000");
    Accept("CLCFG=4");
    EXPECT_EQ(Get("LR"), 20000) << "a period above the new minimum stays";
}

TEST(LineRateOption, Mode2RaisesTheMinimumOnTheModelThatHasIt)
{
    CameraConfig config;
    config.model = "RV-8200-B1";
    CameraModel camera(config);
    EXPECT_EQ(camera.Value(cmd::LRMIN), 4820);
    EXPECT_EQ(camera.HandleLine("LROP=1"), "COMPLETE\r\n");
    EXPECT_EQ(camera.Value(cmd::LRMIN), 5220);
    EXPECT_EQ(camera.Value(cmd::LR), 5220);
}

TEST_F(Rules, FreeRunExposureFollowsTheLinePeriod)
{
    EXPECT_EQ(Get("TR"), 0);
    Accept("LR=10000");
    EXPECT_EQ(Get("PEMAX"), 9900);
    EXPECT_EQ(Get("PEMIN"), 150);
    for (const char* exposure : {"PE", "PER", "PEG", "PEB"}) EXPECT_EQ(Get(exposure), 9900) << exposure;
    Refuse("PE=5000", "follows the line period");
    Accept("PE=9900");
}

TEST_F(Rules, CommonExposureTimeDrivesTheColours)
{
    Accept("TR=1");
    Accept("PE=3000");
    for (const char* exposure : {"PER", "PEG", "PEB"}) EXPECT_EQ(Get(exposure), 3000) << exposure;
    Refuse("PER=2000", "follows PE");
    Accept("PER=3000");
    Refuse("PE=100", "150..");
    Accept("LR=5000");
    Accept("LR=4820");
    Accept("PE=4720");
    Accept("BA=0");
    EXPECT_EQ(Get("PE"), 4720);
}

TEST_F(Rules, ShorterLineClampsTheExposures)
{
    Accept("TR=1");
    Accept("ETM=1");
    Accept("LR=20000");
    Accept("PER=15000");
    Accept("PEG=8000");
    Accept("LR=10000");
    EXPECT_EQ(Get("PER"), 9900);
    EXPECT_EQ(Get("PEG"), 8000);
}

TEST_F(Rules, InterlockedGreenExposureScalesRedAndBlue)
{
    Accept("TR=1");
    Accept("ETM=1");
    Accept("LR=100000");
    Accept("PER=2000");
    Accept("PEG=1000");
    Accept("PEB=3000");
    Accept("EI=1");
    Accept("PEG=2000");
    EXPECT_EQ(Get("PER"), 4000);
    EXPECT_EQ(Get("PEB"), 6000);
    Accept("EI=0");
    Accept("PEG=1000");
    EXPECT_EQ(Get("PER"), 4000);
    Accept("ETM=0");
    EXPECT_EQ(Get("PER"), Get("PE")) << "back to one exposure time";
}

TEST_F(Rules, TriggerWidthExposureSwitchesTheTriggerOnWithLevelActivation)
{
    EXPECT_EQ(Get("TM"), 0);
    EXPECT_EQ(Get("TA"), 0);
    Accept("TR=2");
    EXPECT_EQ(Get("TM"), 1);
    EXPECT_EQ(Get("TA"), 2);
    Accept("TA=3");
    Accept("TR=1");
    Accept("TR=2");
    EXPECT_EQ(Get("TA"), 3) << "a level activation is kept";
}

TEST_F(Rules, HorizontalBinningHalvesTheWidthLimits)
{
    Accept("WTC=1000");
    Accept("OFC=3000");
    EXPECT_EQ(Get("OFC"), 3000);
    Accept("AWBO=100");
    EXPECT_EQ(Get("AWBO"), 0) << "a full-width window has no room for an offset";
    Accept("AWBW=2000");
    Accept("AWBO=100");
    EXPECT_EQ(Get("AWBO"), 96);
    Accept("HB=2");
    EXPECT_EQ(Get("WTC"), 1000);
    EXPECT_EQ(Get("OFC"), 1048) << "the window stays inside 2048 pixels";
    EXPECT_EQ(Get("AWBW"), 2000);
    EXPECT_EQ(Get("AWBO"), 48);
    Refuse("WTC=2056", "8..2048");
    Refuse("OFC=2041", "0..2032");
    Accept("HB=1");
    Accept("WTC=4096");
    EXPECT_EQ(Get("WTC"), 4096 - 1048) << "the width is cut to what fits beside the offset";
}

TEST_F(Rules, GainModeSwitchesTheColourGainRange)
{
    Refuse("GAR=1000", "40..400");
    Accept("GAR=40");
    Accept("GM=1");
    EXPECT_EQ(Get("GAR"), 100) << "raised into the individual range";
    Accept("GAR=1000");
    Refuse("GAB=40", "100..1600");
    Accept("GM=0");
    EXPECT_EQ(Get("GAR"), 400);
}

TEST_F(Rules, PresetWhiteBalanceTakesThePresetGains)
{
    Accept("WB1R=150");
    Accept("WB1B=90");
    Accept("AWB=6");
    EXPECT_EQ(Get("GAR"), 150);
    EXPECT_EQ(Get("GAB"), 90);
    EXPECT_EQ(Get("AWB"), 6);
    Accept("GM=1");
    EXPECT_EQ(Get("AWB"), 0) << "individual gains end the preset";
}

TEST_F(Rules, FlashAreaLoadReappliesTheRules)
{
    Accept("TR=1");
    Accept("LR=50000");
    Accept("PE=40000");
    Accept("SA=1");
    Accept("LR=4820");
    EXPECT_EQ(Get("PE"), 4720);
    Accept("LD=1");
    EXPECT_EQ(Get("LR"), 50000);
    EXPECT_EQ(Get("PE"), 40000);
}

}  // namespace
}  // namespace camsim
