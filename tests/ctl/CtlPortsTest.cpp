// rv8200xc-ctl ports against a built sysfs and /dev tree, with the simulated camera behind one adapter.
#include "ctl/CtlProcess.h"
#include "ctl/JsonReader.h"
#include "support/CamsimProcess.h"
#include "support/ScopedEnv.h"
#include "support/SerialDeviceTree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;

class CtlPorts : public testing::Test {
protected:
    void SetUp() override
    {
        camera_ = std::make_unique<CamsimProcess>(RV_CAMSIM_EXECUTABLE, 1, std::vector<std::string>{});
        ASSERT_TRUE(camera_->Ok()) << camera_->Error();
        links_ = fs::path(camera_->LinkPath()).parent_path().string();
        idA_ = tree_.AddFtdi("ttyUSB0", "1-1", "A10KZP3X", fs::read_symlink(camera_->LinkPath()));
        idB_ = tree_.AddFtdi("ttyUSB1", "1-2", "B20LM7QY", "/dev/zero");
        tree_.AddOnBoard("ttyS0", "4", "serial", "/dev/random");
    }

    SerialDeviceTree tree_;
    ScopedEnv root_{"RV_DEVICE_ROOT", tree_.Root()};
    std::unique_ptr<CamsimProcess> camera_;
    std::string links_;
    std::string idA_;
    std::string idB_;
};

TEST_F(CtlPorts, ListsTheTreeAndUseMakesALinkTheCameraAnswersBehind)
{
    const CtlRun list = RunCtl({"ports", "--json"});
    ASSERT_EQ(list.status, 0) << list.err;
    JsonValue json;
    ASSERT_TRUE(JsonReader::Parse(list.out, json)) << list.out;
    const JsonValue& adapters = json["adapters"];
    ASSERT_EQ(adapters.items.size(), 3u);
    EXPECT_EQ(adapters.items[0]["device"].text, idA_);
    EXPECT_EQ(adapters.items[0]["manufacturer"].text, "FTDI");
    EXPECT_EQ(adapters.items[0]["product"].text, "FT232R USB UART");
    EXPECT_EQ(adapters.items[1]["serial"].text, "B20LM7QY");
    EXPECT_EQ(adapters.items[2]["description"].text, "on-board port (16550A)");
    ASSERT_EQ(json["ports"].items.size(), 16u);
    EXPECT_EQ(json["ports"].items[1]["device"].text, tree_.Root() + "/dev/ttyS1");
    EXPECT_EQ(json["ports"].items[1]["what"].text, "not there");

    const CtlRun use = RunCtl({"ports", "--use", "COM2", tree_.Node("ttyUSB0")});
    ASSERT_EQ(use.status, 0) << use.err;
    EXPECT_EQ(use.out, "COM2 leads to " + idA_ + " now.\n");
    EXPECT_EQ(fs::read_symlink(links_ + "/com2"), fs::path(idA_));
    const CtlRun info = RunCtl({"--port", "COM2", "info"});
    EXPECT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("RV-8200-A1"), std::string::npos) << info.out;

    EXPECT_EQ(RunCtl({"ports", "--use", "COM17", idB_}).status, 2);
    EXPECT_EQ(RunCtl({"ports", "extra"}).status, 2);
}

TEST_F(CtlPorts, APortLeadingToAGoneAdapterIsStatusThreeAndSaysWhy)
{
    fs::create_symlink(tree_.Node("ttyUSB5"), links_ + "/com3");
    const CtlRun run = RunCtl({"--port", "COM3", "info"});
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(
        run.err.find("COM3 leads to " + tree_.Node("ttyUSB5") + ", which is not there: is the adapter plugged in?"),
        std::string::npos)
        << run.err;
}

}  // namespace
