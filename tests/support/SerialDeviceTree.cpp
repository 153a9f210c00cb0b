// The serial devices of a built tree, laid out as sysfs and udev lay them out.
#include "support/SerialDeviceTree.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

void SerialDeviceTree::Link(const std::string& target, const std::string& at) const
{
    const fs::path path = Root() + at;
    fs::create_directories(path.parent_path());
    std::error_code exists;  // ports of one device share its driver link
    fs::create_symlink(target, path, exists);
}

void SerialDeviceTree::Write(const std::string& file, const std::string& text) const
{
    const fs::path path = Root() + file;
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text << "\n";
}

std::string SerialDeviceTree::AddFtdi(const std::string& tty, const std::string& usbDevice, const std::string& serial,
                                      const std::string& nodeTarget)
{
    const std::string usb = "/sys/devices/pci0000:00/0000:00:14.0/usb1/" + usbDevice;
    for (auto [name, text] :
         {std::pair{"idVendor", "0403"}, std::pair{"idProduct", "6001"}, std::pair{"manufacturer", "FTDI"},
          std::pair{"product", "FT232R USB UART"}, std::pair{"serial", serial.c_str()}}) {
        Write(usb + "/" + name, text);
    }
    // The port hangs below the adapter's interface, the tty class device below the port.
    const std::string port = usb + "/" + usbDevice + ":1.0/" + tty;
    Link("../../../../../../../bus/usb-serial/drivers/ftdi_sio", port + "/driver");
    Link("../../../" + tty, port + "/tty/" + tty + "/device");
    Link("../../devices/pci0000:00/0000:00:14.0/usb1/" + usbDevice + "/" + usbDevice + ":1.0/" + tty + "/tty/" + tty,
         "/sys/class/tty/" + tty);
    if (!nodeTarget.empty()) Link(nodeTarget, "/dev/" + tty);
    const std::string byId = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_" + serial + "-if00-port0";
    Link("../../" + tty, byId);
    return Root() + byId;
}

void SerialDeviceTree::AddOnBoard(const std::string& tty, const std::string& type, const std::string& driver,
                                  const std::string& nodeTarget)
{
    const std::string device = driver == "serial8250" ? "platform/serial8250" : "pnp0/00:0" + tty.substr(4);
    const std::string classDevice = "/sys/devices/" + device + "/tty/" + tty;
    fs::create_directories(Root() + classDevice);
    if (!type.empty()) Write(classDevice + "/type", type);
    Link("../../../" + fs::path(device).filename().string(), classDevice + "/device");
    Link("../../../bus/any/drivers/" + driver, "/sys/devices/" + device + "/driver");
    Link("../../devices/" + device + "/tty/" + tty, "/sys/class/tty/" + tty);
    if (!nodeTarget.empty()) Link(nodeTarget, "/dev/" + tty);
}

void SerialDeviceTree::Unplug(const std::string& tty)
{
    fs::remove(Root() + "/sys/class/tty/" + tty);
    fs::remove(Node(tty));
    for (const auto& entry : fs::directory_iterator(Root() + "/dev/serial/by-id")) {
        if (fs::read_symlink(entry.path()) == fs::path("../../" + tty)) fs::remove(entry.path());
    }
}
