// The companion's setting files against the windowed tool's own code: the tool's reader of the camera
// (CameraReader) and its setting-file writer and loader (SettingFile) must give and take the very bytes
// rv8200xc-ctl gives and takes.
#include "ctl/CtlProcess.h"
#include "support/CamsimProcess.h"
#include "support/RecordingMessageHost.h"
#include "support/TempFolder.h"
#include "support/TestData.h"

#include "files/SettingFile.h"
#include "link/ComPort.h"
#include "link/Command.h"
#include "link/SerialLink.h"
#include "pages/CameraReader.h"
#include "settings/ControlMode.h"
#include "settings/RegistrySettings.h"
#include "support/TestHosts.h"
#include "tables/CameraModelInfo.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

namespace {

using Args = std::vector<std::string>;

// The windowed tool's objects on a camera's port, at the camera's start speed.
struct ToolSide {
    explicit ToolSide(const std::string& devicePath, bool factory)
        : link(
              LinkSettings{}, port, [](int) -> ClSerialKind* { return nullptr; }, nullptr),
          command(link, TestHosts()),
          reader(command, table, model, mode, TestHosts()),
          file(command, table, mode, model, {}, TestHosts())
    {
        mode.Set(factory ? 1 : 0);
        link.SetDevicePath(devicePath);
        SettingFileHooks hooks;
        hooks.modelCheck = [this] { return reader.ModelCheck(); };
        file.SetHooks(hooks);
        opened = link.ReopenCurrent() == 1;
    }
    // The tool's refresh without pages: the model, then every setting.
    bool Read() { return reader.ModelCheck() == 1 && reader.ReadAllSettings() == 1; }

    RecordingMessageHost host;
    RegistrySettings settings{RegistrySettings::Detached{}};
    ControlMode mode{settings};
    ComPort port;
    SerialLink link;
    Command command;
    ControlTable table;
    CameraModelInfo model;
    CameraReader reader;
    SettingFile file;
    bool opened = false;
};

struct VariantCase {
    const char* name;
    Args set;  // values set in the camera before the save
    Args follows;  // rows the camera's own rules changed with them
    Args ctlArgs;  // after "save FILE"
    SettingFileVariant variant;
    const char* golden;  // the committed file of the tool's table at its defaults; its model is the camera's
};

Args SetOptions(Args options, const Args& rows)
{
    for (const std::string& row : rows) options.insert(options.end(), {"--set", row});
    return options;
}
void PrintTo(const VariantCase& c, std::ostream* out) { *out << c.name; }

class CtlToolFiles : public testing::TestWithParam<VariantCase> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp_.Ok());
        folder_ = temp_.Path();
    }
    std::string File(const std::string& name) const { return (folder_ / name).string(); }

    TempFolder temp_{"rv-ctl-files"};
    std::filesystem::path folder_;
};

TEST_P(CtlToolFiles, SavedBytesAreTheToolsBytes)
{
    const VariantCase& c = GetParam();
    const bool b1 = std::string(c.golden).find("-B1-") != std::string::npos;
    CamsimProcess camera(RV_CAMSIM_EXECUTABLE, 1, SetOptions(b1 ? Args{"--model", "B1"} : Args{}, c.set));
    ASSERT_TRUE(camera.Ok()) << camera.Error();
    Args args{"--port", camera.LinkPath(), "save", File("ctl.cam")};
    args.insert(args.end(), c.ctlArgs.begin(), c.ctlArgs.end());
    const CtlRun run = RunCtl(args);
    ASSERT_EQ(run.status, 0) << run.err;

    ToolSide tool(camera.LinkPath(), !c.ctlArgs.empty() && c.ctlArgs[0] == "--factory");
    ASSERT_TRUE(tool.opened);
    ASSERT_TRUE(tool.Read());
    ASSERT_EQ(tool.file.WriteSettingFile(File("tool.cam"), c.variant), TextFile::SaveResult::Saved);
    Args fileRows = c.set;
    fileRows.insert(fileRows.end(), c.follows.begin(), c.follows.end());
    const std::string expected = GoldenWith(c.golden, fileRows);
    EXPECT_EQ(ReadText(File("ctl.cam")), expected);
    EXPECT_EQ(ReadText(File("tool.cam")), expected);
}

// The committed files hold the tool's table at its defaults; a powered camera holds its timing rules'
// values: the line period at least the shortest its readout allows (4820), and in free run every exposure
// the line period less 100.
const Args kTimingA1{"LR=4820", "PE=4720", "PER=4720", "PEG=4720", "PEB=4720"};
const Args kExposuresOf6000{"PE=5900", "PER=5900", "PEG=5900", "PEB=5900"};
const char* const kShippingA1 = "setting-A1-shipping.cam";
const VariantCase kVariants[] = {
    {"UserA1", {"GA=345", "LR=6000"}, kExposuresOf6000, {}, SettingFileVariant::AllData, "setting-A1-user.cam"},
    {"UserB1", {"GA=222"}, {"LR=4820", "PE=4720"}, {}, SettingFileVariant::AllData, "setting-B1-user.cam"},
    {"FactoryWithModelId", {"GA=345"}, kTimingA1, {"--factory"}, SettingFileVariant::AllData, "setting-A1-factory.cam"},
    {"Shipping", {}, kTimingA1, {"--factory", "--shipping"}, SettingFileVariant::ShippingData, kShippingA1},
};
INSTANTIATE_TEST_SUITE_P(Cases, CtlToolFiles, testing::ValuesIn(kVariants),
                         [](const testing::TestParamInfo<VariantCase>& tp) { return std::string(tp.param.name); });

// The other way: a file the tool wrote goes into a camera through the companion, and the tool, reading
// that camera, writes the same file again.
TEST_F(CtlToolFiles, AToolFileLoadedByTheCompanionComesBackUnchanged)
{
    std::string toolFile;
    {
        Args rows{"GA=512", "GAR=150", "BLR=-5"};
        CamsimProcess source(RV_CAMSIM_EXECUTABLE, 1, SetOptions({}, rows));
        rows.insert(rows.end(), kTimingA1.begin(), kTimingA1.end());
        ASSERT_TRUE(source.Ok()) << source.Error();
        ToolSide tool(source.LinkPath(), false);
        ASSERT_TRUE(tool.Read());
        ASSERT_EQ(tool.file.WriteSettingFile(File("tool.cam"), SettingFileVariant::AllData),
                  TextFile::SaveResult::Saved);
        toolFile = ReadText(File("tool.cam"));
        EXPECT_EQ(toolFile, GoldenWith("setting-A1-user.cam", rows));
    }
    CamsimProcess target(RV_CAMSIM_EXECUTABLE, 1, {});
    ASSERT_TRUE(target.Ok()) << target.Error();
    const CtlRun load = RunCtl({"--port", target.LinkPath(), "load", File("tool.cam")});
    ASSERT_EQ(load.status, 0) << load.err;
    const CtlRun dump = RunCtl({"--port", target.LinkPath(), "dump"});
    ASSERT_EQ(dump.status, 0) << dump.err;
    EXPECT_EQ(dump.out, toolFile);

    ToolSide tool(target.LinkPath(), false);
    ASSERT_TRUE(tool.Read());
    ASSERT_EQ(tool.file.WriteSettingFile(File("again.cam"), SettingFileVariant::AllData), TextFile::SaveResult::Saved);
    EXPECT_EQ(ReadText(File("again.cam")), toolFile);
}

// And a file the companion saved, loaded by the tool's own loader into another camera, leaves nothing for
// the companion's diff to report.
TEST_F(CtlToolFiles, ACompanionFileLoadedByTheToolLeavesNoDifference)
{
    {
        CamsimProcess source(RV_CAMSIM_EXECUTABLE, 1, {"--set", "GA=640", "--set", "LR=5500"});
        ASSERT_TRUE(source.Ok()) << source.Error();
        ASSERT_EQ(RunCtl({"--port", source.LinkPath(), "save", File("ctl.cam")}).status, 0);
    }
    CamsimProcess target(RV_CAMSIM_EXECUTABLE, 1, {});
    ASSERT_TRUE(target.Ok()) << target.Error();
    {
        ToolSide tool(target.LinkPath(), false);
        ASSERT_TRUE(tool.Read());
        ASSERT_EQ(tool.file.ReadSettingFile(File("ctl.cam")), SettingFileRead::Read);
        EXPECT_TRUE(tool.file.LastReport().AllApplied()) << tool.file.LastReport().SummaryText();
    }
    const CtlRun diff = RunCtl({"--port", target.LinkPath(), "diff", File("ctl.cam")});
    EXPECT_EQ(diff.status, 0) << diff.out << diff.err;
    EXPECT_EQ(diff.out, "");
}

}  // namespace
