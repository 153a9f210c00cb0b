// Test helper: a folder standing for "/" with the sysfs and /dev entries of serial devices, as Linux lays them
// out, for the serial-port look (RV_DEVICE_ROOT or SerialPortDiscovery's root).
#pragma once

#include "support/TempFolder.h"

#include <string>

class SerialDeviceTree {
public:
    SerialDeviceTree() : folder_("rv-serial-tree") {}

    std::string Root() const { return folder_.Path().string(); }
    std::string Node(const std::string& tty) const { return Root() + "/dev/" + tty; }

    // An FTDI FT232R adapter on USB device `usbDevice` ("1-1") as `tty`, its node a link to nodeTarget (a
    // pseudo-terminal standing in for the adapter, or nothing when empty); gives its /dev/serial/by-id/ name.
    std::string AddFtdi(const std::string& tty, const std::string& usbDevice, const std::string& serial,
                        const std::string& nodeTarget);
    // A port of serial8250 and friends: sysfs "type" (empty: no such file) and the driver of its device.
    void AddOnBoard(const std::string& tty, const std::string& type, const std::string& driver,
                    const std::string& nodeTarget);
    // The adapter is pulled: its sysfs entry, node and by-id name go.
    void Unplug(const std::string& tty);

private:
    void Link(const std::string& target, const std::string& at) const;
    void Write(const std::string& file, const std::string& text) const;
    TempFolder folder_;
};
