// rv8200xc-ctl through the three Camera Link serial library kinds: the simulated frame-grabber libraries,
// each with its own simulated camera, found in the folder CLSERIALPATH names.
#include "ctl/CtlProcess.h"
#include "ctl/JsonReader.h"
#include "support/ScopedEnv.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct KindCase {
    const char* name;
    const char* folder;  // below the simulated libraries' folder
    const char* entry;  // --cameralink's value
};
void PrintTo(const KindCase& c, std::ostream* out) { *out << c.name; }

class CtlCameraLink : public testing::TestWithParam<KindCase> {};

TEST_P(CtlCameraLink, EntryByPositionOrNameReachesTheCamera)
{
    const KindCase& c = GetParam();
    const ScopedEnv path("CLSERIALPATH", std::string(RV_CL_SIM_DIR) + "/" + c.folder);
    const CtlRun set = RunCtl({"--cameralink", c.entry, "--json", "set", "GA=250"});
    ASSERT_EQ(set.status, 0) << set.err;
    JsonValue value;
    ASSERT_TRUE(JsonReader::Parse(set.out, value)) << set.out;
    EXPECT_EQ(value["results"].items.at(0)["camera"].number, 250);
    const CtlRun missing = RunCtl({"--cameralink", std::string(c.folder) + ":No Such Grabber", "info"});
    EXPECT_EQ(missing.status, 3);
    EXPECT_NE(missing.err.find("No Camera Link entry \"No Such Grabber\""), std::string::npos) << missing.err;
}

const KindCase kKinds[] = {
    {"Kind2000ByPosition", "2000", "2000:0"},
    {"Kind2001ByName", "2001", "2001:A"},
    {"KindV11ByName", "v11", "v11:A - P0"},
};
INSTANTIATE_TEST_SUITE_P(Kinds, CtlCameraLink, testing::ValuesIn(kKinds),
                         [](const testing::TestParamInfo<KindCase>& tp) { return std::string(tp.param.name); });

// The version 1.1 library's three ports at once, each a camera of its own on its own thread: every one
// takes its value, and one entry that is not there fails alone.
TEST(CtlCameraLinkLine, EveryPortOfTheLibraryAtOnce)
{
    const ScopedEnv path("CLSERIALPATH", std::string(RV_CL_SIM_DIR) + "/v11");
    const CtlRun run = RunCtl({"--json", "--cameralink", "v11:A - P0", "--cameralink", "v11:A - P1", "--cameralink",
                               "v11:B - P0", "--cameralink", "v11:7", "set", "GA=260"});
    EXPECT_EQ(run.status, 3) << run.err;
    JsonValue value;
    ASSERT_TRUE(JsonReader::Parse(run.out, value)) << run.out;
    ASSERT_EQ(value.items.size(), 4u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(value.items[i]["results"].items.at(0)["camera"].number, 260) << run.out;
    }
    EXPECT_EQ(value.items[3]["error"]["kind"].text, "no_camera");
}

}  // namespace
