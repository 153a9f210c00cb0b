// The companion's command line and its JSON text, without a camera: what a script gets wrong must end
// with status 2 before any port is opened.
#include "ctl/CtlCommandLine.h"
#include "ctl/CtlExit.h"
#include "ctl/CtlProgram.h"
#include "ctl/JsonReader.h"
#include "ctl/JsonText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

struct UsageCase {
    const char* name;
    Args args;
};
void PrintTo(const UsageCase& c, std::ostream* out) { *out << c.name; }

struct ParseCase {
    const char* name;
    Args args;
    std::string verb;
    int linkMode = kLinkComPort;
    int portIndex = 0;
    std::string devicePath = {};
    std::string entryName = {};
    int baud = 0;
    Args verbArgs = {};
    bool json = false;
    bool factory = false;
    std::size_t cameras = 1;
};

void PrintTo(const ParseCase& c, std::ostream* out) { *out << c.name; }

class CommandLineParse : public testing::TestWithParam<ParseCase> {};

TEST_P(CommandLineParse, SplitsProgramOptionsFromTheVerb)
{
    const ParseCase& c = GetParam();
    CtlCommandLine line;
    std::string problem;
    ASSERT_EQ(CtlCommandLine::Parse(c.args, line, problem), 1) << problem;
    EXPECT_EQ(line.verb, c.verb);
    ASSERT_EQ(line.connections.size(), c.cameras);
    const CtlConnection& first = line.connections[0];
    EXPECT_EQ(first.linkMode, c.linkMode);
    EXPECT_EQ(first.portIndex, c.portIndex);
    EXPECT_EQ(first.devicePath, c.devicePath);
    EXPECT_EQ(first.entryName, c.entryName);
    // The speed holds for every camera, wherever it stands.
    for (const CtlConnection& connection : line.connections) EXPECT_EQ(connection.baudRate, c.baud);
    EXPECT_EQ(line.verbArgs, c.verbArgs);
    EXPECT_EQ(line.json, c.json);
    EXPECT_EQ(line.factory, c.factory);
}

const ParseCase kParseCases[] = {
    {.name = "DefaultsToCom1", .args = {"info"}, .verb = "info"},
    {.name = "ComPortAnyCase",
     .args = {"--port", "com12", "get", "GA"},
     .verb = "get",
     .portIndex = 11,
     .verbArgs = {"GA"}},
    {.name = "DevicePath", .args = {"--port", "/dev/ttyUSB0", "info"}, .verb = "info", .devicePath = "/dev/ttyUSB0"},
    {.name = "OptionsAfterTheVerb",
     .args = {"get", "GA", "--json", "--baud", "115200"},
     .verb = "get",
     .baud = 115200,
     .verbArgs = {"GA"},
     .json = true},
    {.name = "CameraLinkByPosition",
     .args = {"--cameralink", "2000:1", "info"},
     .verb = "info",
     .linkMode = kLinkCl2000,
     .portIndex = 1},
    {.name = "CameraLinkByName",
     .args = {"--cameralink", "2001:Grabber A", "info"},
     .verb = "info",
     .linkMode = kLinkCl2001,
     .entryName = "Grabber A"},
    {.name = "CameraLinkV11",
     .args = {"--cameralink", "v11:A - P0", "info"},
     .verb = "info",
     .linkMode = kLinkClV11,
     .entryName = "A - P0"},
    // save takes --factory itself; before the verb it is the program's.
    {.name = "VerbKeepsItsOwnFlag",
     .args = {"save", "a.cam", "--factory"},
     .verb = "save",
     .verbArgs = {"a.cam", "--factory"}},
    {.name = "ProgramFactoryBeforeVerb",
     .args = {"--factory", "set", "GA=100"},
     .verb = "set",
     .verbArgs = {"GA=100"},
     .factory = true},
    {.name = "DoubleDashEndsOptions", .args = {"load", "--", "--json"}, .verb = "load", .verbArgs = {"--", "--json"}},
    {.name = "SeveralCameras",
     .args = {"--port", "COM2", "--cameralink", "2000:0", "info", "--baud", "9600", "--port", "/dev/ttyUSB0"},
     .verb = "info",
     .portIndex = 1,
     .baud = 9600,
     .cameras = 3},
};
INSTANTIATE_TEST_SUITE_P(Cases, CommandLineParse, testing::ValuesIn(kParseCases),
                         [](const testing::TestParamInfo<ParseCase>& tp) { return std::string(tp.param.name); });

class CommandLineRefused : public testing::TestWithParam<UsageCase> {};

TEST_P(CommandLineRefused, SaysWhy)
{
    CtlCommandLine line;
    std::string problem;
    EXPECT_EQ(CtlCommandLine::Parse(GetParam().args, line, problem), 0);
    EXPECT_FALSE(problem.empty());
}

const UsageCase kRefusedLines[] = {
    {"UnknownVerb", {"frobnicate"}},
    {"BadPort", {"--port", "COMX", "info"}},
    {"BadBaud", {"--baud", "4800", "info"}},
    {"BadCameraLinkKind", {"--cameralink", "3000:0", "info"}},
    {"SamePortTwice", {"--port", "COM1", "--port", "com1", "info"}},
    {"ValueMissing", {"info", "--port"}},
    {"UnknownOption", {"info", "--fast"}},
};
INSTANTIATE_TEST_SUITE_P(Cases, CommandLineRefused, testing::ValuesIn(kRefusedLines),
                         [](const testing::TestParamInfo<UsageCase>& tp) { return std::string(tp.param.name); });

class UsageErrors : public testing::TestWithParam<UsageCase> {};

// No such device: a run that got past the checks would end with 3.
TEST_P(UsageErrors, EndWithStatusTwoBeforeThePortIsOpened)
{
    Args args{"--port", "/nonexistent/tty"};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    EXPECT_EQ(RunCtlProgram(args), kExitUsage);
}

const UsageCase kUsageCases[] = {
    {"NoVerb", {}},
    {"SetWithoutValue", {"set", "GA"}},
    {"SetNotANumber", {"set", "GA=1e3"}},
    {"SetUnknownName", {"set", "NOPE=1"}},
    {"SetNotASetting", {"set", "VN=1"}},
    {"SetTheLinkSpeed", {"set", "CBDRT=1"}},
    {"GetUnknownName", {"get", "GA", "NOPE"}},
    {"GetNothing", {"get"}},
    {"StoreNoArea", {"store", "user4"}},
    {"ShadingDirection", {"shading", "push", "a.csv"}},
    {"GammaWithoutFile", {"gamma", "read"}},
    {"CalibrateUnknown", {"calibrate", "focus"}},
    {"ShadingHasNoFactoryCalibration", {"calibrate", "shading", "--factory"}},
    {"WhiteBalanceUnknown", {"white-balance", "twice"}},
    {"LoadTwoFiles", {"load", "a.cam", "b.cam"}},
    {"DryRunOnSave", {"save", "a.cam", "--dry-run"}},
    {"HelpForNoVerb", {"help", "frobnicate"}},
    // Each camera would replace the file the one before wrote.
    {"SaveFromSeveralCameras", {"--port", "/nonexistent/tty2", "save", "a.cam"}},
    {"TableReadFromSeveralCameras", {"gamma", "read", "g.csv", "--port", "/nonexistent/tty2"}},
};
INSTANTIATE_TEST_SUITE_P(Cases, UsageErrors, testing::ValuesIn(kUsageCases),
                         [](const testing::TestParamInfo<UsageCase>& tp) { return std::string(tp.param.name); });

TEST(UsageErrors, HelpAndVersionNeedNoCamera)
{
    for (const Args& args : {Args{"--help"}, Args{"--version"}, Args{"help"}, Args{"help", "load"},
                             Args{"set", "--help"}, Args{"--port", "/nonexistent/tty", "shading", "--help"}}) {
        EXPECT_EQ(RunCtlProgram(args), kExitOk) << testing::PrintToString(args);
    }
}

TEST(UsageErrors, NoCameraOnAMissingPortIsStatusThree)
{
    EXPECT_EQ(RunCtlProgram({"--port", "/nonexistent/tty", "info"}), kExitNoCamera);
}

// What a camera may answer (a user id is free text) must come out as JSON a parser takes, unchanged.
TEST(JsonTextOutput, ParsesBackToTheSameValues)
{
    const std::string awkward =
        std::string("quote \" backslash \\ tab \t cr \r lf \n bell \a del \x7f ") + "utf-8 \xc3\xa4 end";
    JsonText json;
    json.Add("text", awkward).Add("number", -42).Add("flag", true).Add("list", std::vector<std::string>{"a", "\"b\""});
    json.AddRaw("none", "null");
    JsonValue value;
    ASSERT_TRUE(JsonReader::Parse(json.Object(), value)) << json.Object();
    EXPECT_EQ(value["text"].text, awkward);
    EXPECT_EQ(value["number"].number, -42);
    EXPECT_TRUE(value["flag"].flag);
    ASSERT_EQ(value["list"].items.size(), 2u);
    EXPECT_EQ(value["list"].items[1].text, "\"b\"");
    EXPECT_EQ(value["none"].kind, JsonValue::Kind::Null);
}

}  // namespace
