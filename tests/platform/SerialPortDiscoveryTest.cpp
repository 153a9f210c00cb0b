// The serial-port look on a built sysfs and /dev tree: which ttys count, what each COMn leads to, and the
// links "Use as" makes.
#include "support/SerialDeviceTree.h"
#include "support/TempConfigHome.h"

#include "platform/SerialPortDiscovery.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

class SerialPortLook : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Two adapters (the first plugged in later under a higher number), a real on-board UART, two names the
        // 8250 driver keeps without a port, a port without a type file; character devices of their
        // own stand in for the nodes.
        idB_ = tree_.AddFtdi("ttyUSB1", "1-2", "B20LM7QY", "/dev/zero");
        idA_ = tree_.AddFtdi("ttyUSB0", "1-1", "A10KZP3X", "/dev/full");
        tree_.AddOnBoard("ttyS0", "4", "serial", "/dev/random");
        tree_.AddOnBoard("ttyS1", "0", "serial8250", "/dev/null");
        tree_.AddOnBoard("ttyS2", "", "serial8250", "/dev/urandom");
        tree_.AddOnBoard("ttyS10", "", "serial", "");
    }
    std::string Links() const { return (config_.Folder() / "dosdevices").string(); }

    SerialDeviceTree tree_;
    TempConfigHome config_;
    SerialPortDiscovery discovery_{tree_.Root()};
    std::string idA_;
    std::string idB_;
};

TEST_F(SerialPortLook, ListsAdaptersAndWhereEachPortLeads)
{
    fs::create_directories(Links());
    fs::create_symlink(idB_, Links() + "/com3");
    fs::create_symlink(tree_.Node("ttyUSB7"), Links() + "/com4");  // an adapter gone since
    // By hand, relative, to the node.
    fs::create_symlink("../../../" + fs::path(tree_.Root()).filename().string() + "/dev/ttyUSB0", Links() + "/com5");
    const SerialPortSnapshot look = discovery_.Look();
    std::vector<std::string> nodes;
    for (const SerialAdapter& adapter : look.adapters) nodes.push_back(adapter.node);
    // A type says whether the UART answered; without one, a driver other than the placeholder's.
    EXPECT_EQ(nodes, (std::vector<std::string>{tree_.Node("ttyUSB0"), tree_.Node("ttyUSB1"), tree_.Node("ttyS0"),
                                               tree_.Node("ttyS10")}));
    ASSERT_EQ(look.adapters.size(), 4u);
    EXPECT_EQ(look.adapters[0].device, idA_);
    EXPECT_EQ(look.adapters[2].Description(), "on-board port (16550A)");
    EXPECT_EQ(look.adapters[3].Description(), "on-board port");

    ASSERT_EQ(look.routes.size(), 16u);
    EXPECT_EQ(look.routes[0].device, tree_.Node("ttyS0"));
    EXPECT_EQ(look.routes[0].adapter, 2);
    EXPECT_EQ(SerialPortDiscovery::WhatIsThere(look.routes[1], look), "no port behind this name");
    EXPECT_EQ(SerialPortDiscovery::WhatIsThere(look.routes[2], look), "FTDI FT232R USB UART, serial B20LM7QY");
    EXPECT_EQ(look.routes[3].device, tree_.Node("ttyUSB7"));
    EXPECT_EQ(SerialPortDiscovery::WhatIsThere(look.routes[3], look), "not there");
    EXPECT_EQ(look.routes[4].adapter, 0);
    EXPECT_EQ(look.routes[15].state, SerialRouteState::Missing) << "no ttyS15 in the tree";
}

TEST_F(SerialPortLook, UseAsLinksTheStableNameAndReplacesAnOldLink)
{
    std::string linked;
    EXPECT_EQ(discovery_.UseAs(2, tree_.Node("ttyUSB0"), &linked), "");
    EXPECT_EQ(linked, idA_) << "a node with a stable name is linked by that name";
    EXPECT_EQ(discovery_.UseAs(2, "ttyUSB1", &linked), "");
    EXPECT_EQ(fs::read_symlink(Links() + "/com2"), fs::path(idB_));
    EXPECT_EQ(std::distance(fs::directory_iterator(Links()), fs::directory_iterator()), 1) << "a temporary link stayed";

    EXPECT_EQ(discovery_.UseAs(17, idA_), "Only COM1 to COM16 can be linked.");
    std::ofstream(Links() + "/com6") << "not a link";
    EXPECT_EQ(discovery_.UseAs(6, idA_), Links() + "/com6 is not a link; the tool leaves it alone.");
}

}  // namespace
