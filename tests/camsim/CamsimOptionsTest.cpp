// Command-line options of the pseudo-terminal camera.
#include "camsim/CamsimOptions.h"
#include "tables/CommandTable.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace camsim {
namespace {

// A command line as typed: its words apart at the spaces.
std::vector<std::string> Words(const std::string& line)
{
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), {}};
}

TEST(CamsimOptions, EveryOptionReachesTheConfiguration)
{
    CamsimOptions options;
    std::string error;
    ASSERT_EQ(CamsimOptions::Parse(Words("--link /tmp/cam --model B1 --speed=115200 --wire-time --answer-delay 5 "
                                         "--rs-time 70 --awb-time=0 --busy-polls 2 --result PGS=3 --result=AWRS=2 "
                                         "--set SDM=1 --log x.log --silent --garbage --overlong --split 15 "
                                         "--disconnect-after 4 --identity DV=1.2.3 --identity=UD= --identity ID=ABC "
                                         "--unlock-code 17"),
                                   options, error),
              1)
        << error;
    const CameraConfig& c = options.camera;
    EXPECT_EQ(options.linkPath, "/tmp/cam");
    EXPECT_EQ(options.logPath, "x.log");
    EXPECT_EQ(c.model, "RV-8200-B1");
    EXPECT_EQ(c.baudCode, 16);
    EXPECT_TRUE(c.wireTime);
    EXPECT_EQ(c.answerDelayMs, 5);
    EXPECT_EQ(c.rsMilliseconds, 70);
    EXPECT_EQ(c.awbMilliseconds, 0);
    EXPECT_EQ(c.busyPolls, 2);
    EXPECT_EQ(c.forcedResults.at(cmd::PGS), 3);
    EXPECT_EQ(c.forcedResults.at(cmd::AWRS), 2);
    EXPECT_EQ(c.presetLines, std::vector<std::string>{"SDM=1"});
    EXPECT_TRUE(c.silent && c.garbage && c.overlong);
    EXPECT_EQ(c.splitMs, 15);
    EXPECT_EQ(c.disconnectAfter, 4);
    EXPECT_EQ(c.deviceVersion, "1.2.3");
    EXPECT_EQ(c.userId, "");
    EXPECT_EQ(c.cameraId, "ABC");
    EXPECT_EQ(c.firmwareVersion, CameraConfig{}.firmwareVersion);
    EXPECT_EQ(c.unlockCode, 17);

    ASSERT_EQ(CamsimOptions::Parse({"--fault-from", "3", "--fault-lines=2", "--late", "400", "--error-answer",
                                    "--hang-up-on", "7", "--dormant", "--random-faults", "1"},
                                   options, error),
              1)
        << error;
    EXPECT_EQ(options.camera.faultFrom, 3);
    EXPECT_EQ(options.camera.faultLines, 2);
    EXPECT_EQ(options.camera.lateMs, 400);
    EXPECT_TRUE(options.camera.errorAnswer && options.camera.dormant);
    EXPECT_EQ(options.camera.hangUpOn, 7);
    EXPECT_EQ(options.camera.randomFaultPercent, 1);

    ASSERT_EQ(CamsimOptions::Parse({"--model", "RV-9000-Q"}, options, error), 1);
    EXPECT_EQ(options.camera.model, "RV-9000-Q");
    EXPECT_EQ(options.camera.disconnectAfter, -1) << "a new parse starts from the defaults";
}

struct BadCase {
    std::vector<std::string> args;
    const char* reason;
};

class BadOptions : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadOptions, AreRefusedWithAReason)
{
    CamsimOptions options;
    std::string error;
    EXPECT_EQ(CamsimOptions::Parse(GetParam().args, options, error), 0);
    EXPECT_NE(error.find(GetParam().reason), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Options, BadOptions,
    ::testing::Values(BadCase{{"--speed", "3"}, "--speed"}, BadCase{{"--speed", "fast"}, "whole number"},
                      BadCase{{"--rs-time", "-5"}, "whole number"}, BadCase{{"--link"}, "needs a value"},
                      BadCase{{"--link="}, "needs a path"}, BadCase{{"--model", "A=1"}, "--model"},
                      BadCase{{"--result", "GA=3"}, "--result"}, BadCase{{"--result", "PGS"}, "--result"},
                      BadCase{{"--set", "GA=900"}, "out of range"}, BadCase{{"--set", "GA?"}, "not a setting"},
                      BadCase{{"--silent=1"}, "takes no value"}, BadCase{{"--frobnicate"}, "unknown option"},
                      BadCase{{"extra"}, "unknown option"}, BadCase{{"--identity", "MD=X"}, "--identity"},
                      BadCase{{"--identity", "VN"}, "--identity"}, BadCase{{"--identity", "UD=a\tb"}, "--identity"},
                      BadCase{{"--unlock-code", "-1"}, "whole number"}, BadCase{{"--fault-from", "0"}, "--fault-from"},
                      BadCase{{"--hang-up-on", "0"}, "--hang-up-on"},
                      BadCase{{"--random-faults", "101"}, "--random-faults"}));

}  // namespace
}  // namespace camsim
