// Serial devices from sysfs and /dev, and the dosdevices links that name them "COMn".
#include "platform/SerialPortDiscovery.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The first line of a small sysfs file, "" when it cannot be read.
std::string FirstLine(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
    return line;
}

// Where a symbolic link points, made absolute against its folder; empty when it is no link.
fs::path LinkTarget(const fs::path& link)
{
    std::error_code error;
    const fs::path target = fs::read_symlink(link, error);
    if (error) return {};
    return (target.is_absolute() ? target : link.parent_path() / target).lexically_normal();
}

bool IsCharacterDevice(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISCHR(info.st_mode);
}

// Two names of one device (std::filesystem::equivalent refuses device files): the same device number.
bool SameDevice(const std::string& a, const std::string& b)
{
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && S_ISCHR(first.st_mode) &&
           S_ISCHR(second.st_mode) && first.st_rdev == second.st_rdev;
}

// "ttyUSB10" after "ttyUSB9": the name's letters, then its number.
bool NaturalLess(const std::string& a, const std::string& b)
{
    const auto split = [](const std::string& s) {
        std::size_t digits = s.size();
        while (digits > 0 && std::isdigit(static_cast<unsigned char>(s[digits - 1]))) --digits;
        const long number = digits < s.size() ? std::strtol(s.c_str() + digits, nullptr, 10) : -1;
        return std::make_pair(s.substr(0, digits), number);
    };
    return split(a) < split(b);
}

// The serial8250 driver keeps names for ports the PC may lack; its "type" says whether a UART answered
// (0: none). Drivers without that file count when a driver other than the placeholder platform device
// serial8250 holds the port.
const char* UartName(int type)
{
    switch (type) {
        case 1:
            return "8250";
        case 2:
            return "16450";
        case 3:
            return "16550";
        case 4:
            return "16550A";
        case 6:
            return "16650";
        case 7:
            return "16650V2";
        case 8:
            return "16750";
        case 10:
            return "16C950";
        default:
            return "";
    }
}

bool HasUart(const fs::path& ttyEntry, const std::string& driver, std::string& uart)
{
    const std::string type = FirstLine(ttyEntry / "type");
    if (!type.empty()) {
        const int number = std::atoi(type.c_str());
        uart = UartName(number);
        return number != 0;
    }
    return !driver.empty() && driver != "serial8250";
}

// The USB device above a port's device: the first folder upwards that has a vendor id.
fs::path UsbDeviceAbove(fs::path device, const fs::path& devicesRoot)
{
    std::error_code error;
    for (; device.has_relative_path() && device != devicesRoot; device = device.parent_path()) {
        if (fs::exists(device / "idVendor", error)) return device;
        if (device.parent_path() == device) break;
    }
    return {};
}

// Every tty with a device behind it that counts: a USB adapter, or a port where a UART answered.
std::vector<SerialAdapter> Adapters(const std::string& root)
{
    std::vector<SerialAdapter> adapters;
    const fs::path devicesRoot = root + "/sys/devices";
    std::error_code error;
    for (fs::directory_iterator it(root + "/sys/class/tty", error), end; !error && it != end; it.increment(error)) {
        const fs::path entry = it->path();
        const std::string name = entry.filename().string();
        // Consoles, pseudo-terminals and the like have no device link.
        const fs::path device = fs::canonical(entry / "device", error);
        if (error) {
            error.clear();
            continue;
        }
        SerialAdapter adapter;
        adapter.node = root + "/dev/" + name;
        adapter.device = adapter.node;
        adapter.driver = LinkTarget(device / "driver").filename().string();
        const fs::path usb = UsbDeviceAbove(device, devicesRoot);
        if (!usb.empty()) {
            adapter.kind = SerialAdapterKind::Usb;
            adapter.manufacturer = FirstLine(usb / "manufacturer");
            adapter.product = FirstLine(usb / "product");
            adapter.serial = FirstLine(usb / "serial");
            adapter.usbId = FirstLine(usb / "idVendor") + ":" + FirstLine(usb / "idProduct");
        } else if (!HasUart(entry, adapter.driver, adapter.uart)) {
            continue;
        }
        adapters.push_back(std::move(adapter));
    }
    return adapters;
}

// The stable names: udev's links below /dev/serial/by-id, each to one node ("../../ttyUSB0").
void UseStableNames(const std::string& root, std::vector<SerialAdapter>& adapters)
{
    std::vector<fs::path> stable;
    std::error_code error;
    for (fs::directory_iterator it(root + "/dev/serial/by-id", error), end; !error && it != end; it.increment(error))
        stable.push_back(it->path());
    std::sort(stable.begin(), stable.end());
    for (SerialAdapter& adapter : adapters) {
        for (const fs::path& name : stable) {
            if (LinkTarget(name) == fs::path(adapter.node)) {
                adapter.device = name.string();
                break;
            }
        }
    }
}

// The listed adapter a device names, by either of its names or, for a link made by hand to another name
// of a listed device (a by-path link, a chain of links), by its device number; -1 for none.
int AdapterOf(const std::string& device, const std::vector<SerialAdapter>& adapters)
{
    int found = -1;
    for (std::size_t i = 0; i < adapters.size(); ++i) {
        if (device == adapters[i].device || device == adapters[i].node) found = static_cast<int>(i);
    }
    for (std::size_t i = 0; found < 0 && i < adapters.size(); ++i) {
        if (SameDevice(device, adapters[i].node)) found = static_cast<int>(i);
    }
    return found;
}

// Where COMn leads: its link in the links folder, else the n-th 8250 port.
SerialPortRoute Route(const std::string& root, const std::string& links, int number,
                      const std::vector<SerialAdapter>& adapters)
{
    SerialPortRoute route;
    route.portName = "COM" + std::to_string(number);
    const fs::path link = links.empty() ? fs::path() : fs::path(links) / ("com" + std::to_string(number));
    struct stat info {};
    if (!links.empty() && ::lstat(link.c_str(), &info) == 0) {
        route.linked = true;
        const fs::path target = LinkTarget(link);
        route.device = target.empty() ? link.string() : target.string();
    } else {
        route.device = root + "/dev/ttyS" + std::to_string(number - 1);
    }
    route.adapter = AdapterOf(route.device, adapters);
    const std::string nodeName = fs::path(route.device).filename().string();
    std::error_code error;
    if (!IsCharacterDevice(route.device)) {
        route.state = SerialRouteState::Missing;
    } else if (route.adapter >= 0) {
        route.state = SerialRouteState::Adapter;
    } else if (fs::path(route.device).parent_path() == fs::path(root + "/dev") &&
               fs::exists(fs::path(root + "/sys/class/tty") / nodeName, error)) {
        route.state = SerialRouteState::NoPort;
    } else {
        route.state = SerialRouteState::Other;
    }
    return route;
}

}  // namespace

SerialPortDiscovery::SerialPortDiscovery(std::string root)
    : root_(root.empty() ? root : fs::path(root).lexically_normal().string())
{
    while (!root_.empty() && root_.back() == '/') root_.pop_back();
}

bool SerialPortDiscovery::CanLink() { return true; }

std::string SerialPortDiscovery::LinkFolder()
{
    std::string configHome;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
        configHome = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        configHome = std::string(home) + "/.config";
    }
    return configHome.empty() ? std::string() : configHome + "/orvane/dosdevices";
}

SerialPortSnapshot SerialPortDiscovery::Look() const
{
    SerialPortSnapshot look;
    look.adapters = Adapters(root_);
    UseStableNames(root_, look.adapters);
    std::sort(look.adapters.begin(), look.adapters.end(), [](const SerialAdapter& a, const SerialAdapter& b) {
        if (a.kind != b.kind) return a.kind == SerialAdapterKind::Usb;
        return NaturalLess(a.node, b.node);
    });
    const std::string links = LinkFolder();
    for (int number = 1; number <= kPortCount; ++number)
        look.routes.push_back(Route(root_, links, number, look.adapters));
    return look;
}

std::string SerialPortDiscovery::UseAs(int portNumber, const std::string& device, std::string* linkedTo) const
{
    if (portNumber < 1 || portNumber > kPortCount) return "Only COM1 to COM16 can be linked.";
    std::string target = device;
    if (!target.empty() && target.find('/') == std::string::npos) target = root_ + "/dev/" + target;
    if (target.empty() || target.front() != '/') return "A device is named by its full path, not " + device + ".";
    // An adapter named by its node is linked by its stable name, so a replug under another node still finds it.
    for (const SerialAdapter& adapter : Look().adapters) {
        if (adapter.node == target) target = adapter.device;
    }
    const std::string folder = LinkFolder();
    const std::string portName = "COM" + std::to_string(portNumber);
    if (folder.empty()) return "No folder for the port links: neither XDG_CONFIG_HOME nor HOME is set.";
    const fs::path link = fs::path(folder) / ("com" + std::to_string(portNumber));
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) return "Cannot make the folder " + folder + ": " + error.message() + ".";
    struct stat info {};
    if (::lstat(link.c_str(), &info) == 0 && !S_ISLNK(info.st_mode)) {
        return link.string() + " is not a link; the tool leaves it alone.";
    }
    // The new link is made beside the old one and renamed over it: the port never leads nowhere between.
    const fs::path fresh = fs::path(folder) / (".com" + std::to_string(portNumber) + "." + std::to_string(::getpid()));
    ::unlink(fresh.c_str());
    if (::symlink(target.c_str(), fresh.c_str()) != 0 || ::rename(fresh.c_str(), link.c_str()) != 0) {
        const std::string why = std::strerror(errno);
        ::unlink(fresh.c_str());
        return "Cannot make " + portName + " lead to " + target + ": " + why + ".";
    }
    if (linkedTo) *linkedTo = target;
    return {};
}
