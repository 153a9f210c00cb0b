// Every verb of rv8200xc-ctl as a process against the simulated camera on a pseudo-terminal: exit
// statuses, JSON output, the camera's speed before and after, a camera that vanishes.
#include "ctl/CtlProcess.h"
#include "ctl/JsonReader.h"
#include "support/CamsimProcess.h"
#include "support/TempFolder.h"

#include "link/ComPort.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

class CtlEndToEnd : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp_.Ok());
        folder_ = temp_.Path();
    }
    void TearDown() override { camera_.reset(); }

    // The camera as COM1, with its traffic log in the test's folder.
    void StartCamera(Args options = {})
    {
        options.push_back("--log");
        options.push_back(LogPath());
        camera_ = std::make_unique<CamsimProcess>(RV_CAMSIM_EXECUTABLE, 1, options);
        ASSERT_TRUE(camera_->Ok()) << camera_->Error();
    }
    std::string LogPath() const { return (folder_ / "camsim-traffic.log").string(); }
    std::string File(const std::string& name) const { return (folder_ / name).string(); }

    static CtlRun Ctl(Args args, double limitSeconds = 60.0)
    {
        args.insert(args.begin(), {"--port", "COM1"});
        return RunCtl(args, limitSeconds);
    }
    static JsonValue Json(const CtlRun& run)
    {
        JsonValue value;
        EXPECT_TRUE(JsonReader::Parse(run.out, value)) << "not JSON: " << run.out;
        return value;
    }

    TempFolder temp_{"rv-ctl-e2e"};
    std::filesystem::path folder_;
    std::unique_ptr<CamsimProcess> camera_;
};

TEST_F(CtlEndToEnd, InfoReportsTheIdentityAsJson)
{
    StartCamera({"--identity", "UD=line7\"left\\\\", "--identity", "ID=XC00000042"});
    const CtlRun run = Ctl({"info", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const JsonValue info = Json(run);
    EXPECT_EQ(info["model"].text, "RV-8200-A1");
    EXPECT_EQ(info["user_id"].text, "line7\"left\\\\");
    EXPECT_EQ(info["camera_id"].text, "XC00000042");
    for (const char* key : {"firmware", "fpga", "device_version", "flash_area"}) {
        EXPECT_EQ(info[key].kind, JsonValue::Kind::String) << key;
    }
}

struct SetCase {
    const char* name;
    Args cameraOptions;
    Args args;
    int status;
    const char* held;  // what the camera holds afterwards (GA?), "" when not checked
    const char* notSent;  // a line the camera must never have received, "" when none
};
void PrintTo(const SetCase& c, std::ostream* out) { *out << c.name; }

class CtlSet : public CtlEndToEnd, public testing::WithParamInterface<SetCase> {};

TEST_P(CtlSet, ChecksSendsAndReadsBack)
{
    const SetCase& c = GetParam();
    StartCamera(c.cameraOptions);
    const CtlRun run = Ctl(c.args);
    EXPECT_EQ(run.status, c.status) << run.out << run.err;
    if (*c.held) {
        const CtlRun get = Ctl({"get", "GA"});
        EXPECT_EQ(get.out, std::string("GA=") + c.held + "\n") << get.err;
    }
    if (*c.notSent) {
        EXPECT_EQ(ReadText(LogPath()).find(c.notSent), std::string::npos);
    }
}

const SetCase kSetCases[] = {
    {"Accepted", {}, {"set", "GA=300", "LR=5000"}, 0, "300", ""},
    {"OutOfRangeSendsNothing", {}, {"set", "LR=5000", "GA=801"}, 2, "100", "LR=5000"},
    {"ComboCodeNotInList", {}, {"set", "GA=200", "TR=9"}, 2, "100", "GA=200"},
    {"FactoryParameterNeedsFactoryMode", {}, {"set", "GA00=100"}, 2, "", "GA00="},
    {"RefusedByCamera", {"--refuse", "GA"}, {"set", "GA=300"}, 1, "", ""},
    // The camera answers the read-back with another value: what it holds is reported, and the run fails.
    {"CameraHoldsAnother", {"--answer", "GA=250"}, {"set", "GA=300"}, 1, "250", ""},
};
INSTANTIATE_TEST_SUITE_P(Cases, CtlSet, testing::ValuesIn(kSetCases),
                         [](const testing::TestParamInfo<SetCase>& tp) { return std::string(tp.param.name); });

TEST_F(CtlEndToEnd, SetJsonReportsWhatTheCameraHolds)
{
    StartCamera({"--answer", "LR=4000"});
    const CtlRun run = Ctl({"--json", "set", "GA=300", "LR=5000"});
    EXPECT_EQ(run.status, 1) << run.err;
    const JsonValue results = Json(run)["results"];
    ASSERT_EQ(results.items.size(), 2u);
    EXPECT_EQ(results.items[0]["status"].text, "ok");
    EXPECT_EQ(results.items[0]["camera"].number, 300);
    EXPECT_EQ(results.items[1]["status"].text, "different");
    EXPECT_EQ(results.items[1]["requested"].number, 5000);
    EXPECT_EQ(results.items[1]["camera"].number, 4000);
    // MD?, then each value and its read-back: five requests of the verb, all answered.
    const JsonValue requests = Json(run)["requests"];
    EXPECT_EQ(requests["answered"].number, 5);
    EXPECT_EQ(requests["refused"].number + requests["timed_out"].number + requests["not_sent"].number, 0);
}

TEST_F(CtlEndToEnd, GetOfACommandTheModelLacksIsAUsageError)
{
    StartCamera({"--model", "B1"});
    // The B1 has no individual exposure time mode entry and no red exposure time.
    const CtlRun run = Ctl({"get", "PER"});
    EXPECT_EQ(run.status, 2) << run.out << run.err;
    EXPECT_NE(run.err.find("not on RV-8200-B1"), std::string::npos) << run.err;
}

// The dump as text is the saved file (CtlToolFiles compares both with the tool's).
TEST_F(CtlEndToEnd, DumpParsesAsJson)
{
    StartCamera({"--set", "GA=345"});
    const CtlRun json = Ctl({"dump", "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    const JsonValue value = Json(json);
    EXPECT_EQ(value["parameters"]["GA"].number, 345);
    EXPECT_EQ(value["read"].number, value["total"].number);
    EXPECT_GT(value["parameters"].fields.size(), 100u);
}

TEST_F(CtlEndToEnd, DiffDryRunAndChosenRowsOnASecondCamera)
{
    StartCamera({"--set", "GA=345", "--set", "LR=6000", "--set", "OFC=16"});
    ASSERT_EQ(Ctl({"save", File("first.cam")}).status, 0);
    auto first = std::move(camera_);
    StartCamera();  // a camera at its defaults
    const std::string second = camera_->LinkPath();
    const CtlRun before = RunCtl({"--port", second, "diff", File("first.cam")});
    EXPECT_EQ(before.status, 1) << before.err;
    EXPECT_NE(before.out.find("GA: file 345, camera 100\n"), std::string::npos) << before.out;

    const CtlRun dry = RunCtl({"--port", second, "load", "--dry-run", File("first.cam")});
    EXPECT_EQ(dry.status, 0) << dry.err;
    EXPECT_NE(dry.out.find("GA=345\n"), std::string::npos);
    EXPECT_EQ(RunCtl({"--port", second, "diff", File("first.cam")}).status, 1) << "the dry run sent something";

    // Only the chosen rows: GA goes in, LR stays as it was; a name that is no mnemonic sends nothing.
    EXPECT_EQ(RunCtl({"--port", second, "load", File("first.cam"), "--only", "GA,NOPE"}).status, 2);
    ASSERT_EQ(RunCtl({"--port", second, "load", File("first.cam"), "--only", "GA"}).status, 0);
    const CtlRun partial = RunCtl({"--port", second, "diff", File("first.cam")});
    EXPECT_EQ(partial.out.find("GA: file"), std::string::npos) << partial.out;
    EXPECT_NE(partial.out.find("LR: file 6000, camera"), std::string::npos) << partial.out;
}

// A line of cameras in one call: three load the file at once while a fourth, silent one is reported; diff
// then names the one a value was changed on since.
TEST_F(CtlEndToEnd, SeveralCamerasRunAtOnceAndTheWorstStatusCounts)
{
    StartCamera({"--set", "GA=345", "--set", "LR=6000"});
    ASSERT_EQ(Ctl({"save", File("line.cam")}).status, 0);
    std::vector<std::unique_ptr<CamsimProcess>> cameras;
    Args ports;
    for (const Args& options : {Args{}, Args{}, Args{}, Args{"--silent"}}) {
        cameras.push_back(std::make_unique<CamsimProcess>(RV_CAMSIM_EXECUTABLE, 1, options));
        ASSERT_TRUE(cameras.back()->Ok()) << cameras.back()->Error();
        ports.insert(ports.end(), {"--port", cameras.back()->LinkPath()});
    }
    Args load{"--json", "load", File("line.cam")};
    load.insert(load.end(), ports.begin(), ports.end());
    const CtlRun run = RunCtl(load, 60.0);
    EXPECT_EQ(run.status, 3) << run.err;
    const JsonValue all = Json(run);
    ASSERT_EQ(all.items.size(), 4u) << run.out;
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_TRUE(all.items[i]["ok"].flag) << run.out;
        EXPECT_EQ(all.items[i]["port"].text, cameras[i]->LinkPath());
        EXPECT_EQ(all.items[i]["applied"].number, all.items[i]["lines"].number);
    }
    EXPECT_EQ(all.items[3]["error"]["kind"].text, "no_camera");
    EXPECT_NE(run.err.find("rv8200xc-ctl: " + cameras[3]->LinkPath() + ": No camera answers on"), std::string::npos)
        << run.err;

    ASSERT_EQ(RunCtl({"--port", cameras[1]->LinkPath(), "set", "GA=250"}).status, 0);
    Args diff{"diff", File("line.cam")};
    diff.insert(diff.end(), ports.begin(), ports.end() - 2);
    const CtlRun differs = RunCtl(diff);
    EXPECT_EQ(differs.status, 1) << differs.err;
    EXPECT_NE(differs.out.find(cameras[0]->LinkPath() + ": same as " + File("line.cam") + "\n"), std::string::npos);
    EXPECT_NE(differs.out.find(cameras[1]->LinkPath() + ": GA: file 345, camera 250\n"), std::string::npos)
        << differs.out;
    while (!cameras.empty()) cameras.pop_back();  // each puts back the configuration folder it found
}

TEST_F(CtlEndToEnd, LoadSaysWhatWasNotApplied)
{
    StartCamera({"--refuse", "BA"});
    std::ofstream(File("odd.cam"), std::ios::binary) << "GA=300\r\nBA=5\r\nXYZ=1\r\nGA00=1\r\n";
    const CtlRun run = Ctl({"--json", "load", File("odd.cam")});
    EXPECT_EQ(run.status, 1) << run.err;
    const JsonValue report = Json(run);
    EXPECT_EQ(report["applied"].number, 1);
    ASSERT_EQ(report["refused"].items.size(), 1u);
    EXPECT_EQ(report["refused"].items[0].text, "BA");
    ASSERT_EQ(report["unknown"].items.size(), 1u);
    ASSERT_EQ(report["not_a_setting"].items.size(), 1u);
    EXPECT_EQ(report["not_a_setting"].items[0].text, "GA00");
    EXPECT_NE(run.err.find("Not every line of the setting file was applied."), std::string::npos) << run.err;
    EXPECT_EQ(Ctl({"load", File("missing.cam")}).status, 4);
}

TEST_F(CtlEndToEnd, ShadingAndGammaTablesGoRoundTrip)
{
    StartCamera({"--set", "SDM=1"});
    std::string shading = "ShadingData  (G R B)\r\n";
    for (int i = 0; i < 1024; ++i) {
        shading += std::to_string(i % 500) + ", " + std::to_string(-i) + ", " + std::to_string(1000 - i) + "\r\n";
    }
    std::ofstream(File("in.csv"), std::ios::binary) << shading;
    const CtlRun write = Ctl({"shading", "write", File("in.csv")});
    ASSERT_EQ(write.status, 0) << write.err;
    const CtlRun read = Ctl({"shading", "read", File("out.csv")});
    ASSERT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(ReadText(File("out.csv")), shading);

    ASSERT_EQ(Ctl({"gamma", "read", File("gamma1.csv")}).status, 0);
    std::string gamma = ReadText(File("gamma1.csv"));
    ASSERT_GT(gamma.size(), 20u);
    // Another table: every level one lower, floored at 0.
    std::string changed = "GammaData (R G B)\r\n";
    for (int i = 0; i < 256; ++i) {
        const int level = std::min(4095, i * 16);
        changed +=
            std::to_string(level) + "," + std::to_string(level / 2) + "," + std::to_string(4095 - level) + "\r\n";
    }
    std::ofstream(File("gamma2.csv"), std::ios::binary) << changed;
    ASSERT_EQ(Ctl({"gamma", "write", File("gamma2.csv")}).status, 0);
    ASSERT_EQ(Ctl({"gamma", "read", File("gamma3.csv")}).status, 0);
    EXPECT_EQ(ReadText(File("gamma3.csv")), changed);
}

TEST_F(CtlEndToEnd, ShadingWithCorrectionOffOrABadFileSendsNoTable)
{
    StartCamera();
    std::ofstream(File("bad.csv"), std::ios::binary) << "ShadingData  (G R B)\r\n1,2,3,4\r\n";
    const CtlRun bad = Ctl({"shading", "write", File("bad.csv")});
    EXPECT_EQ(bad.status, 4);
    EXPECT_NE(bad.err.find("Invaild data count format"), std::string::npos) << bad.err;
    const CtlRun off = Ctl({"shading", "read", File("out.csv")});
    EXPECT_EQ(off.status, 1);
    EXPECT_NE(off.err.find("Shading Mode is OFF"), std::string::npos) << off.err;
    EXPECT_FALSE(std::filesystem::exists(File("out.csv")));
    EXPECT_EQ(ReadText(LogPath()).find("SDDI="), std::string::npos);
}

// Table files as the window checks them: a file of another kind or a shorter one is the window's question,
// answered No in a script (nothing of the table sent, status 4) and Yes with --yes.
std::string TableFile(const char* header, int rows, int value)
{
    std::string text = std::string(header) + "\r\n";
    for (int i = 0; i < rows; ++i) text += std::to_string(value + i) + "," + std::to_string(value) + ",7\r\n";
    return text;
}

struct TableFileCase {
    const char* name;
    const char* header;
    int rows;
    Args args;  // the file's path follows
    int status;
    const char* said;  // on standard error
    const char* sent;  // the table's lines in the camera's log: present when written, absent when declined
};
void PrintTo(const TableFileCase& c, std::ostream* out) { *out << c.name; }

class CtlTableFile : public CtlEndToEnd, public testing::WithParamInterface<TableFileCase> {};

TEST_P(CtlTableFile, AsksAsTheWindowDoes)
{
    const TableFileCase& c = GetParam();
    StartCamera({"--set", "SDM=1"});
    std::ofstream(File("in.csv"), std::ios::binary) << TableFile(c.header, c.rows, 11);
    Args args = c.args;
    args.push_back(File("in.csv"));
    const CtlRun run = Ctl(args);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
    EXPECT_EQ(ReadText(LogPath()).find(c.sent) != std::string::npos, c.status == 0);
}

const TableFileCase kTableFileCases[] = {
    {"GammaFileForShading",
     "GammaData (R G B)",
     256,
     {"shading", "write"},
     4,
     "This file holds 256 rows of gamma data; a full shading table has 1024. Write it anyway?",
     "SDD"},
    {"ShortShadingFile",
     "ShadingData  (G R B)",
     100,
     {"shading", "write"},
     4,
     "This file holds 100 rows of shading data; a full shading table has 1024. Write it anyway?",
     "SDD"},
    {"ShortShadingFileWithYes", "ShadingData  (G R B)", 100, {"--yes", "shading", "write"}, 0, "", "SDD=11"},
    {"ShadingFileForGamma",
     "ShadingData  (G R B)",
     100,
     {"gamma", "write"},
     4,
     "This file holds 100 rows of shading data; a full gamma table has 256. Write it anyway?",
     "LUTR"},
    {"ShadingFileForGammaWithYes", "ShadingData  (G R B)", 100, {"gamma", "write", "--yes"}, 0, "", "LUTR=11"},
    {"TooManyGammaRows", "GammaData (R G B)", 257, {"--yes", "gamma", "write"}, 4, "Too many data", "LUTR"},
};
INSTANTIATE_TEST_SUITE_P(Cases, CtlTableFile, testing::ValuesIn(kTableFileCases),
                         [](const testing::TestParamInfo<TableFileCase>& tp) { return std::string(tp.param.name); });

// A shorter table written with --yes changes only its first entries: the others keep the camera's.
TEST_F(CtlEndToEnd, AShortTableKeepsTheCamerasOtherEntries)
{
    StartCamera({"--set", "SDM=1"});
    std::ofstream(File("full.csv"), std::ios::binary) << TableFile("ShadingData  (G R B)", 1024, 500);
    std::ofstream(File("short.csv"), std::ios::binary) << TableFile("ShadingData  (G R B)", 100, 11);
    ASSERT_EQ(Ctl({"shading", "write", File("full.csv")}).status, 0);
    ASSERT_EQ(Ctl({"--yes", "shading", "write", File("short.csv")}).status, 0);
    ASSERT_EQ(Ctl({"shading", "read", File("out.csv")}).status, 0);
    const std::string read = ReadText(File("out.csv"));
    EXPECT_NE(read.find("\r\n110, 11, 7\r\n600, 500, 7\r\n"), std::string::npos) << read.substr(0, 2000);
}

TEST_F(CtlEndToEnd, FlashAreasKeepAndGiveBackSettings)
{
    StartCamera();
    ASSERT_EQ(Ctl({"set", "GA=222"}).status, 0);
    ASSERT_EQ(Ctl({"store", "user2"}).status, 0);
    ASSERT_EQ(Ctl({"set", "GA=111"}).status, 0);
    const CtlRun restore = Ctl({"--json", "restore", "user2"});
    ASSERT_EQ(restore.status, 0) << restore.err;
    EXPECT_TRUE(Json(restore)["loaded"].flag);
    EXPECT_EQ(Ctl({"get", "GA"}).out, "GA=222\n");
    // The factory area only in factory mode.
    EXPECT_EQ(Ctl({"store", "factory"}).status, 2);
    EXPECT_EQ(ReadText(LogPath()).find("SA00="), std::string::npos);
    EXPECT_EQ(Ctl({"--factory", "store", "factory"}).status, 0);
    EXPECT_NE(ReadText(LogPath()).find("SA00=0"), std::string::npos);
}

struct OneShotCase {
    const char* name;
    Args cameraOptions;
    Args args;
    int status;
    const char* result;
};
void PrintTo(const OneShotCase& c, std::ostream* out) { *out << c.name; }

class CtlOneShot : public CtlEndToEnd, public testing::WithParamInterface<OneShotCase> {};

TEST_P(CtlOneShot, PrintsTheCamerasResult)
{
    const OneShotCase& c = GetParam();
    Args options{"--rs-time", "50", "--awb-time", "50", "--busy-polls", "1"};
    options.insert(options.end(), c.cameraOptions.begin(), c.cameraOptions.end());
    StartCamera(options);
    Args args{"--json"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CtlRun run = Ctl(args);
    EXPECT_EQ(run.status, c.status) << run.out << run.err;
    const JsonValue value = Json(run);
    EXPECT_EQ(value["result"].text, c.result);
    EXPECT_EQ(value["succeeded"].flag, c.status == 0);
}

const OneShotCase kOneShotCases[] = {
    {"ShadingComplete", {}, {"calibrate", "shading"}, 0, "Complete"},
    {"ShadingTooDark", {"--result", "SDRS=1"}, {"calibrate", "shading"}, 1, "Too Dark"},
    {"PixelGain", {}, {"calibrate", "pixel-gain"}, 0, "Succeeded"},
    {"PixelBlackTooBright", {"--result", "PBS=2"}, {"calibrate", "pixel-black"}, 1, "Too Bright"},
    {"FactoryPixelGain", {}, {"calibrate", "pixel-gain", "--factory"}, 0, "Succeeded"},
    {"WhiteBalanceOnce", {}, {"white-balance", "once"}, 0, "Succeeded"},
    {"WhiteBalanceTooBright",
     {"--set", "TR=1", "--set", "ETM=1", "--result", "AHRS=2"},
     {"white-balance", "exposure-once"},
     1,
     "Error1 - G image was too bright"},
};
INSTANTIATE_TEST_SUITE_P(Cases, CtlOneShot, testing::ValuesIn(kOneShotCases),
                         [](const testing::TestParamInfo<OneShotCase>& tp) { return std::string(tp.param.name); });

TEST_F(CtlEndToEnd, SendPassesOneRawLine)
{
    StartCamera();
    const CtlRun query = Ctl({"send", "GA?"});
    EXPECT_EQ(query.status, 0) << query.err;
    EXPECT_EQ(query.out, "GA=100\n");
    const CtlRun refused = Ctl({"--json", "send", "GA=5000"});
    EXPECT_EQ(refused.status, 1) << refused.err;
    EXPECT_FALSE(Json(refused)["accepted"].flag);
}

TEST_F(CtlEndToEnd, CameraIsBackAtItsStartSpeedUnlessKept)
{
    StartCamera();
    ASSERT_EQ(Ctl({"info"}).status, 0);
    EXPECT_EQ(Ctl({"--baud", "9600", "get", "GA"}).status, 0) << "not back at 9600 bit/s";
    ASSERT_EQ(Ctl({"--keep-speed", "info"}).status, 0);
    EXPECT_EQ(Ctl({"--baud", "115200", "--keep-speed", "get", "GA"}).status, 0) << "not left at 115200 bit/s";
    // The default search finds it there, and takes it home.
    EXPECT_EQ(Ctl({"get", "GA"}).status, 0);
    EXPECT_EQ(Ctl({"--baud", "9600", "get", "GA"}).status, 0);
}

TEST_F(CtlEndToEnd, NoCameraIsStatusThree)
{
    StartCamera({"--silent"});
    const CtlRun silent = Ctl({"--baud", "9600", "info"}, 20.0);
    EXPECT_EQ(silent.status, 3) << silent.err;
    EXPECT_LT(silent.seconds, 3.0);
    EXPECT_NE(silent.err.find("No camera answers on COM1."), std::string::npos) << silent.err;
}

// Every failing run still prints exactly one JSON document, its error's kind after the exit status.
struct JsonFailureCase {
    const char* name;
    Args cameraOptions;
    Args args;
    int status;
    const char* kind;
    const char* message;  // part of the error's message
};
void PrintTo(const JsonFailureCase& c, std::ostream* out) { *out << c.name; }

class CtlJsonFailure : public CtlEndToEnd, public testing::WithParamInterface<JsonFailureCase> {};

TEST_P(CtlJsonFailure, IsOneDocumentWithTheCause)
{
    const JsonFailureCase& c = GetParam();
    StartCamera(c.cameraOptions);
    Args args{"--json"};
    for (const std::string& arg : c.args) args.push_back(arg == "MISSING" ? File("missing") : arg);
    const CtlRun run = args[1] == "--port" ? RunCtl(args, 20.0) : Ctl(args, 20.0);
    EXPECT_EQ(run.status, c.status) << run.err;
    const JsonValue value = Json(run);
    EXPECT_FALSE(value["ok"].flag);
    EXPECT_EQ(value["status"].number, c.status);
    EXPECT_EQ(value["error"]["kind"].text, c.kind);
    EXPECT_NE(value["error"]["message"].text.find(c.message), std::string::npos) << run.out;
}

const JsonFailureCase kJsonFailureCases[] = {
    {"MissingPort",
     {},
     {"--port", "MISSING", "info"},
     3,
     "no_camera",
     "missing is not there: is the adapter plugged in?"},
    {"SilentCamera", {"--silent"}, {"--baud", "9600", "info"}, 3, "no_camera", "No camera answers on COM1."},
    {"RefusedValue", {"--refuse", "GA"}, {"set", "GA=300"}, 1, "refused", ""},
    {"UnknownModel", {"--model", "RV-9000-Z9"}, {"dump"}, 3, "no_camera", "Unsupported model: \"RV-9000-Z9\""},
    {"MissingFile", {}, {"diff", "MISSING"}, 4, "file", "Couldn't open this file"},
    {"Usage", {}, {"set", "GA=99999"}, 2, "usage", "GA=99999 is outside"},
    {"BadCommandLine", {}, {"info", "--fast"}, 2, "usage", "'info' has no option --fast"},
};
INSTANTIATE_TEST_SUITE_P(Cases, CtlJsonFailure, testing::ValuesIn(kJsonFailureCases),
                         [](const testing::TestParamInfo<JsonFailureCase>& tp) { return std::string(tp.param.name); });

TEST_F(CtlEndToEnd, APortInUseIsNotShared)
{
    StartCamera();
    ComPort held;
    ASSERT_EQ(held.Open("COM1", 9600, 8, 0, false, false), 1);
    const CtlRun run = Ctl({"info"});
    EXPECT_EQ(run.status, 3) << run.err;
    held.Close();
    EXPECT_EQ(Ctl({"info"}).status, 0);
}

// The shading write's entries wait 1000 ms each: a camera that goes quiet in the middle ends the run
// after two of them (and the short presence test at the end), with what was done on standard error.
TEST_F(CtlEndToEnd, AVanishedCameraEndsWithStatusThreeWithinTwoTimeOuts)
{
    StartCamera({"--set", "SDM=1", "--vanish-on", "SDDI=500"});
    std::string shading = "ShadingData  (G R B)\r\n";
    for (int i = 0; i < 1024; ++i) shading += "1, 2, 3\r\n";
    std::ofstream(File("in.csv"), std::ios::binary) << shading;
    const CtlRun run = Ctl({"--json", "shading", "write", File("in.csv")}, 30.0);
    EXPECT_EQ(run.status, 3) << run.err;
    // Two time-outs of a second and the half-second presence test at the end, with room for a slow machine;
    // where it stopped proves that the second time-out in a row ended it, not a third.
    EXPECT_LT(run.seconds, 2 * 1.0 + 0.5 + 2.0);
    EXPECT_NE(run.err.find("The camera stopped answering at G entry 501;"), std::string::npos) << run.err;
    EXPECT_TRUE(Json(run)["camera_gone"].flag);
    EXPECT_EQ(Json(run)["requests"]["timed_out"].number, 2);
}

TEST_F(CtlEndToEnd, ProgressStaysOffStandardErrorWhenItIsNoTerminal)
{
    StartCamera({"--set", "SDM=1"});
    const CtlRun run = Ctl({"shading", "read", File("out.csv")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
}

// On a terminal the bar is there, and --quiet takes it away. util-linux's script(1) gives the run a
// pseudo-terminal of its own and copies what appears on it to its standard output.
TEST_F(CtlEndToEnd, ProgressBarOnlyOnATerminal)
{
    if (!std::filesystem::exists("/usr/bin/script")) GTEST_SKIP() << "no script(1) on this machine";
    StartCamera({"--set", "SDM=1"});
    auto onTerminal = [](const std::string& options) {
        return RunProgram({"/usr/bin/script", "-q", "-e", "-c",
                           std::string(RV_CTL_EXECUTABLE) + " --port COM1 " + options, "/dev/null"});
    };
    const CtlRun shown = onTerminal("gamma read " + File("gamma.csv"));
    ASSERT_EQ(shown.status, 0) << shown.out << shown.err;
    EXPECT_NE(shown.out.find("[##############################] 100%  Now, reading camera gamma data"),
              std::string::npos)
        << shown.out;
    const CtlRun quiet = onTerminal("--quiet gamma read " + File("gamma.csv"));
    ASSERT_EQ(quiet.status, 0) << quiet.out << quiet.err;
    EXPECT_EQ(quiet.out.find("%"), std::string::npos) << quiet.out;
    // Two cameras: a bar each, after its port (padded to the longer name).
    const CamsimProcess second(RV_CAMSIM_EXECUTABLE, 2, {});
    ASSERT_TRUE(second.Ok()) << second.Error();
    const std::string first = camera_->LinkPath(), other = second.LinkPath();  // COM1 is the second's now
    const CtlRun both = RunProgram(
        {"/usr/bin/script", "-q", "-e", "-c",
         std::string(RV_CTL_EXECUTABLE) + " --port " + first + " --port " + other + " gamma write " + File("gamma.csv"),
         "/dev/null"});
    ASSERT_EQ(both.status, 0) << both.out << both.err;
    for (std::string port : {first, other}) {
        port.resize(std::max(first.size(), other.size()), ' ');
        EXPECT_NE(both.out.find(port + "  [##############################] 100%  Now, writing camera gamma data."),
                  std::string::npos)
            << both.out;
    }
}

}  // namespace
