// rv8200xc-ctl ports against a built sysfs and /dev tree, with the simulated camera behind one adapter.
#include "ctl/CtlProcess.h"
#include "ctl/JsonReader.h"
#include "support/CamsimProcess.h"
#include "support/ScopedEnv.h"
#include "support/SerialDeviceTree.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

TEST(CtlPorts, ListsTheTreeAndUseMakesALinkTheCameraAnswersBehind)
{
    SerialDeviceTree tree;
    const ScopedEnv root("RV_DEVICE_ROOT", tree.Root());
    CamsimProcess camera(RV_CAMSIM_EXECUTABLE, 1, {});
    ASSERT_TRUE(camera.Ok()) << camera.Error();
    const std::string links = fs::path(camera.LinkPath()).parent_path().string();
    const std::string idA = tree.AddFtdi("ttyUSB0", "1-1", "A10KZP3X", fs::read_symlink(camera.LinkPath()));
    tree.AddFtdi("ttyUSB1", "1-2", "B20LM7QY", "/dev/zero");
    tree.AddOnBoard("ttyS0", "4", "serial", "/dev/random");

    const CtlRun list = RunCtl({"ports", "--json"});
    ASSERT_EQ(list.status, 0) << list.err;
    JsonValue json;
    ASSERT_TRUE(JsonReader::Parse(list.out, json)) << list.out;
    const std::vector<JsonValue>& adapters = json["adapters"].items;
    ASSERT_EQ(adapters.size(), 3u);
    EXPECT_EQ(adapters[0]["device"].text, idA);
    EXPECT_EQ(adapters[0]["manufacturer"].text + "|" + adapters[0]["product"].text, "FTDI|FT232R USB UART");
    EXPECT_EQ(adapters[2]["description"].text, "on-board port (16550A)");
    ASSERT_EQ(json["ports"].items.size(), 16u);
    EXPECT_EQ(json["ports"].items[1]["what"].text, "not there");

    const CtlRun use = RunCtl({"ports", "--use", "COM2", tree.Node("ttyUSB0")});
    EXPECT_EQ(use.out, "COM2 leads to " + idA + " now.\n") << use.err;
    EXPECT_EQ(fs::read_symlink(links + "/com2"), fs::path(idA));
    const CtlRun info = RunCtl({"--port", "COM2", "info"});
    EXPECT_NE(info.out.find("RV-8200-A1"), std::string::npos) << info.err;
    EXPECT_EQ(RunCtl({"ports", "--use", "COM17", idA}).status, 2);

    fs::create_symlink(tree.Node("ttyUSB5"), links + "/com3");
    const CtlRun gone = RunCtl({"--port", "COM3", "info"});
    EXPECT_EQ(gone.status, 3);
    EXPECT_NE(
        gone.err.find("COM3 leads to " + tree.Node("ttyUSB5") + ", which is not there: is the adapter plugged in?"),
        std::string::npos)
        << gone.err;
}

}  // namespace
