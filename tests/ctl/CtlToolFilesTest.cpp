// The companion's setting files against the windowed tool's own code: the tool's reader of the camera
// (CameraReader) and its setting-file writer and loader (SettingFile) must give and take the very bytes
// rv8200xc-ctl gives and takes.
#include "ctl/CtlProcess.h"
#include "support/CamsimProcess.h"
#include "support/RecordingMessageHost.h"
#include "support/TempFolder.h"

#include "files/SettingFile.h"
#include "link/ComPort.h"
#include "link/Command.h"
#include "link/SerialLink.h"
#include "pages/CameraReader.h"
#include "settings/ControlMode.h"
#include "settings/RegistrySettings.h"
#include "tables/CameraModelInfo.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

using Args = std::vector<std::string>;

// The windowed tool's objects on a camera's port, at the camera's start speed.
struct ToolSide {
    explicit ToolSide(const std::string& devicePath, bool factory)
        : link(
              LinkSettings{}, port, [](int) -> ClSerialKind* { return nullptr; }, nullptr),
          command(link),
          reader(command, table, model, mode),
          file(command, table, mode, settings, model, {})
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
    Args cameraOptions;
    Args ctlArgs;  // after "save FILE"
    bool factory;
    SettingFileVariant variant;
};
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
    CamsimProcess camera(RV_CAMSIM_EXECUTABLE, 1, c.cameraOptions);
    ASSERT_TRUE(camera.Ok()) << camera.Error();
    Args args{"--port", camera.LinkPath(), "save", File("ctl.cam")};
    args.insert(args.end(), c.ctlArgs.begin(), c.ctlArgs.end());
    const CtlRun run = RunCtl(args);
    ASSERT_EQ(run.status, 0) << run.err;

    ToolSide tool(camera.LinkPath(), c.factory);
    ASSERT_TRUE(tool.opened);
    ASSERT_TRUE(tool.Read());
    ASSERT_EQ(tool.file.WriteSettingFile(File("tool.cam"), c.variant), 1);
    EXPECT_EQ(ReadText(File("ctl.cam")), ReadText(File("tool.cam")));
}

const VariantCase kVariants[] = {
    {"UserA1", {"--set", "GA=345", "--set", "LR=6000"}, {}, false, SettingFileVariant::AllData},
    {"UserB1", {"--model", "B1", "--set", "GA=222"}, {}, false, SettingFileVariant::AllData},
    {"FactoryWithModelId", {"--set", "GA=345"}, {"--factory"}, true, SettingFileVariant::AllData},
    {"ShippingInFactoryMode", {}, {"--factory", "--shipping"}, true, SettingFileVariant::ShippingData},
};
INSTANTIATE_TEST_SUITE_P(Cases, CtlToolFiles, testing::ValuesIn(kVariants),
                         [](const testing::TestParamInfo<VariantCase>& tp) { return std::string(tp.param.name); });

// The other way: a file the tool wrote goes into a camera through the companion, and the tool, reading
// that camera, writes the same file again.
TEST_F(CtlToolFiles, AToolFileLoadedByTheCompanionComesBackUnchanged)
{
    std::string toolFile;
    {
        CamsimProcess source(RV_CAMSIM_EXECUTABLE, 1, {"--set", "GA=512", "--set", "LR=7000", "--set", "OFC=32"});
        ASSERT_TRUE(source.Ok()) << source.Error();
        ToolSide tool(source.LinkPath(), false);
        ASSERT_TRUE(tool.Read());
        ASSERT_EQ(tool.file.WriteSettingFile(File("tool.cam"), SettingFileVariant::AllData), 1);
        toolFile = ReadText(File("tool.cam"));
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
    ASSERT_EQ(tool.file.WriteSettingFile(File("again.cam"), SettingFileVariant::AllData), 1);
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
        ASSERT_EQ(tool.file.ReadSettingFile(File("ctl.cam")), 1);
        EXPECT_TRUE(tool.file.LastReport().AllApplied()) << tool.file.LastReport().SummaryText();
    }
    const CtlRun diff = RunCtl({"--port", target.LinkPath(), "diff", File("ctl.cam")});
    EXPECT_EQ(diff.status, 0) << diff.out << diff.err;
    EXPECT_EQ(diff.out, "");
}

}  // namespace
