// The tool as a process: what it leaves in the settings file and where it leaves the camera.
#include "support/CamsimProcess.h"
#include "support/FileText.h"
#include "support/TestProcess.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr const char* kKey = "[HKEY_LOCAL_MACHINE\\Software\\Orvane\\RV-8200-XC Control Tool]";

// The REGEDIT4 line of one value ("\"Name\"=dword:0000000a"), or "" when the value is not there.
std::string ValueLine(const std::string& file, const std::string& name)
{
    std::istringstream in(file);
    const std::string prefix = "\"" + name + "\"=";
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind(prefix, 0) == 0) return line.substr(prefix.size());
    }
    return "";
}

// The message boxes a run showed, in order.
std::vector<std::string> Messages(const std::string& output)
{
    std::vector<std::string> messages;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("MESSAGE ", 0) == 0) messages.push_back(line.substr(8));
    }
    return messages;
}

const std::vector<std::string> kOnlyTheExitQuestion{"Are you sure to terminate the Camera Control Tool ?"};

class ToolProcess : public ::testing::Test {
protected:
    void StartCamera(const std::vector<std::string>& options = {})
    {
        std::vector<std::string> all = options;
        camera_ = std::make_unique<CamsimProcess>(RV_CAMSIM_EXECUTABLE, 1, all);
        ASSERT_TRUE(camera_->Ok()) << camera_->Error();
        config_ = std::getenv("XDG_CONFIG_HOME");
    }

    std::filesystem::path SettingsFile() const { return config_ / "orvane" / "hklm.reg"; }

    void WriteSettings(const std::vector<std::string>& values) const
    {
        std::ofstream out(SettingsFile(), std::ios::binary);
        out << "REGEDIT4\r\n\r\n" << kKey << "\r\n";
        for (const std::string& value : values) out << value << "\r\n";
    }

    // Runs the tool to its end; gives its exit status (-1 when it had to be killed) and its output.
    int RunTool(const std::string& ending, std::string& output)
    {
        TestProcess tool;
        TestProcess::Launch launch;
        launch.argv = {RV_TOOL_DRIVER, ending};
        launch.outPath = (config_ / "tool.out").string();
        launch.errPath = (config_ / "tool.err").string();
        if (!tool.Start(launch)) return -2;
        const int status = tool.Finish(60000);
        output = ReadText(launch.outPath);
        return status;
    }

    std::unique_ptr<CamsimProcess> camera_;
    std::filesystem::path config_;
};

TEST_F(ToolProcess, NormalEndWritesEverySettingAndMarksTheEndNormal)
{
    StartCamera({"--speed", "57600"});
    // A previous normal run left the factory mode on and a fast rate behind.
    WriteSettings({"\"Previous Application Shutdown Status\"=dword:00000001", "\"Control Mode\"=dword:00000001",
                   "\"Baudrate\"=dword:0001c200"});
    std::string output;
    ASSERT_EQ(RunTool("close", output), 0) << output;

    EXPECT_NE(output.find("TABS 6"), std::string::npos) << output;  // the stored factory mode came back
    EXPECT_EQ(Messages(output), kOnlyTheExitQuestion) << output;
    const std::string settings = ReadText(SettingsFile());
    EXPECT_NE(settings.find(kKey), std::string::npos);
    EXPECT_EQ(ValueLine(settings, "Previous Application Shutdown Status"), "dword:00000001");
    EXPECT_EQ(ValueLine(settings, "Communication Mode"), "dword:00000000");
    // The camera went back to 9600 bit/s before the end, and the rate in force is what is stored.
    EXPECT_EQ(ValueLine(settings, "Baudrate"), "dword:00002580");
    EXPECT_EQ(ValueLine(settings, "Com Port No"), "dword:00000000");
    EXPECT_EQ(ValueLine(settings, "Cameralink 2000 Dll Index"), "dword:00000000");
    EXPECT_EQ(ValueLine(settings, "Cameralink 2001 Dll Index"), "dword:00000000");
    EXPECT_EQ(ValueLine(settings, "Cameralink Ver11 Dll Index"), "dword:00000000");
    EXPECT_EQ(ValueLine(settings, "Control Mode"), "dword:00000001");
}

TEST_F(ToolProcess, CrashWritesNothingButTheRunningMark)
{
    StartCamera();
    WriteSettings({"\"Previous Application Shutdown Status\"=dword:00000001", "\"Control Mode\"=dword:00000001",
                   "\"Baudrate\"=dword:0001c200"});
    std::string output;
    EXPECT_EQ(RunTool("crash", output), 3) << output;

    const std::string settings = ReadText(SettingsFile());
    EXPECT_EQ(ValueLine(settings, "Previous Application Shutdown Status"), "dword:00000000");
    EXPECT_EQ(ValueLine(settings, "Control Mode"), "dword:00000001");
    EXPECT_EQ(ValueLine(settings, "Baudrate"), "dword:0001c200");
    EXPECT_EQ(ValueLine(settings, "Communication Mode"), "");
}

TEST_F(ToolProcess, NextRunFindsTheCameraAtItsStartSpeedAfterANormalEnd)
{
    char pattern[] = "/tmp/rv-tool-traffic-XXXXXX";
    const int fd = ::mkstemp(pattern);
    ASSERT_GE(fd, 0);
    ::close(fd);
    const std::string traffic = pattern;
    StartCamera({"--log", traffic});
    std::string output;
    ASSERT_EQ(RunTool("close", output), 0) << output;
    ASSERT_EQ(RunTool("close", output), 0) << output;
    EXPECT_EQ(Messages(output), kOnlyTheExitQuestion) << output;

    // Both runs met the camera at 9600 bit/s at once (a line at the wrong speed would be logged as lost),
    // moved it to 115200 bit/s and back.
    const std::string log = ReadText(traffic);
    std::filesystem::remove(traffic);
    auto count = [&log](const std::string& what) {
        int n = 0;
        for (std::size_t at = log.find(what); at != std::string::npos; at = log.find(what, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count(" LOST "), 0) << log;
    EXPECT_EQ(count(" RX CBDRT=16\n"), 4) << log;
    EXPECT_EQ(count(" RX CBDRT=1\n"), 4) << log;
    EXPECT_EQ(ValueLine(ReadText(SettingsFile()), "Previous Application Shutdown Status"), "dword:00000001");
}

}  // namespace
