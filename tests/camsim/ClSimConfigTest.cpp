// The simulated Camera Link libraries' configuration: what a test or an operator writes beside them.
#include "camsim/cl/SimConfig.h"

#include <gtest/gtest.h>

namespace {

using camsim::ParseSimConfig;
using camsim::SimConfig;

TEST(ClSimConfig, ReadsPortsFaultsAndTheLog)
{
    SimConfig config;
    std::string error;
    ASSERT_TRUE(
        ParseSimConfig("# two grabbers\r\n"
                       "log calls.txt\r\n"
                       "references index\n"
                       "\n"
                       "port Acme Port0 model=RV-8200-B1 speed=16 rates=9600,115200 silent answer-delay=5\n"
                       "  port Beta P1 init-error=CL_ERR_PORT_IN_USE read-error=-10004 set-error=7\n",
                       config, error))
        << error;
    EXPECT_EQ(config.callLog, "calls.txt");
    EXPECT_TRUE(config.indexReferences);
    ASSERT_EQ(config.ports.size(), 2u);
    const camsim::SimPortConfig& acme = config.ports[0];
    EXPECT_EQ(acme.maker, "Acme");
    EXPECT_EQ(acme.portId, "Port0");
    EXPECT_EQ(acme.camera.model, "RV-8200-B1");
    EXPECT_EQ(acme.camera.baudCode, 16);
    EXPECT_EQ(acme.supportedRates, CL_BAUDRATE_9600 | CL_BAUDRATE_115200);
    EXPECT_TRUE(acme.camera.silent);
    EXPECT_EQ(acme.camera.answerDelayMs, 5);
    EXPECT_EQ(acme.initError, 0);
    const camsim::SimPortConfig& beta = config.ports[1];
    EXPECT_EQ(beta.initError, CL_ERR_PORT_IN_USE);
    EXPECT_EQ(beta.readError, CL_ERR_TIMEOUT);
    EXPECT_EQ(beta.setRateError, 7);
    EXPECT_EQ(beta.supportedRates, 31u) << "9600 to 115200 unless told otherwise";
    EXPECT_FALSE(beta.camera.silent);
}

struct BadCase {
    const char* text;
    const char* error;
};

void PrintTo(const BadCase& c, std::ostream* out) { *out << '"' << c.text << '"'; }

class ClSimConfigRefuses : public testing::TestWithParam<BadCase> {};

TEST_P(ClSimConfigRefuses, NamesTheLineAndLeavesTheConfigurationAlone)
{
    SimConfig config;
    config.callLog = "kept";
    std::string error;
    EXPECT_FALSE(ParseSimConfig(GetParam().text, config, error));
    EXPECT_EQ(error, GetParam().error);
    EXPECT_EQ(config.callLog, "kept");
    EXPECT_TRUE(config.ports.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cl, ClSimConfigRefuses,
    testing::Values(BadCase{"port A", "line 1: port needs a maker and a port id"},
                    BadCase{"port A P0\nports B P1", "line 2: unknown keyword 'ports'"},
                    BadCase{"port A P0 rates=9600,14400", "line 1: bad rate list '9600,14400'"},
                    BadCase{"port A P0 rates=", "line 1: bad rate list ''"},
                    BadCase{"port A P0 speed=3", "line 1: bad speed code '3'"},
                    BadCase{"port A P0 answer-delay=-1", "line 1: bad answer delay '-1'"},
                    BadCase{"port A P0 read-error=CL_ERR_NOPE", "line 1: bad error code 'CL_ERR_NOPE'"},
                    BadCase{"port A P0 write-error=99999999999", "line 1: bad error code '99999999999'"},
                    BadCase{"port A P0 loud", "line 1: unknown option 'loud'"},
                    BadCase{"port A P0 colour=red", "line 1: unknown option 'colour'"},
                    BadCase{"port A P0 model=", "line 1: empty model"}, BadCase{"log", "line 1: log needs a file name"},
                    BadCase{"references maybe", "line 1: references must be index or address"}));

}  // namespace
