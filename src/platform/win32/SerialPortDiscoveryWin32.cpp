// Serial ports on Windows: the registry's list of the COM ports whose drivers are loaded.
#include "platform/SerialPortDiscovery.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <utility>

#include <windows.h>

namespace {

std::string NarrowUtf16(const wchar_t* wide, int length)
{
    if (length <= 0) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, length, text.data(), size, nullptr, nullptr);
    return text;
}

// The number of "COM12", 0 for any other name.
int PortNumber(const std::string& name)
{
    if (name.size() < 4 || _strnicmp(name.c_str(), "COM", 3) != 0) return 0;
    for (std::size_t i = 3; i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) return 0;
    }
    return std::atoi(name.c_str() + 3);
}

// The driver's device name tells a USB adapter from a port of the PC: "\Device\Serial0" is the PC's own
// driver; VCP (FTDI), USBSER (the class driver), Silabser, ProlificSerial and the like are USB drivers.
SerialAdapter AdapterOf(const std::string& driverDevice, const std::string& portName)
{
    SerialAdapter adapter;
    adapter.device = portName;
    adapter.node = driverDevice;
    std::string driver = driverDevice.substr(driverDevice.rfind('\\') + 1);
    while (!driver.empty() && std::isdigit(static_cast<unsigned char>(driver.back()))) driver.pop_back();
    adapter.driver = driver;
    adapter.kind = _stricmp(driver.c_str(), "Serial") == 0 ? SerialAdapterKind::OnBoard : SerialAdapterKind::Usb;
    // The registry names no maker; the drivers of the common adapter chips tell it.
    static const std::pair<const char*, const char*> kMakers[] = {
        {"VCP", "FTDI"},     {"Silabser", "Silicon Labs"}, {"ProlificSerial", "Prolific"}, {"CH341SER", "WCH"},
        {"CH343SER", "WCH"}, {"USBSER", "USB CDC"},        {"MosSer", "MosChip"},
    };
    for (const auto& [prefix, maker] : kMakers) {
        if (_stricmp(driver.c_str(), prefix) == 0) adapter.manufacturer = maker;
    }
    if (adapter.kind == SerialAdapterKind::Usb) adapter.product = "USB serial port (" + driver + ")";
    return adapter;
}

}  // namespace

SerialPortDiscovery::SerialPortDiscovery(std::string root) : root_(std::move(root)) {}

bool SerialPortDiscovery::CanLink() { return false; }

std::string SerialPortDiscovery::LinkFolder() { return {}; }

SerialPortSnapshot SerialPortDiscovery::Look() const
{
    SerialPortSnapshot look;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) == ERROR_SUCCESS) {
        for (DWORD index = 0;; ++index) {
            wchar_t name[256];
            wchar_t data[64];
            DWORD nameLength = 256;
            DWORD dataBytes = sizeof data;
            DWORD type = 0;
            const LONG rc = ::RegEnumValueW(key, index, name, &nameLength, nullptr, &type,
                                            reinterpret_cast<BYTE*>(data), &dataBytes);
            if (rc == ERROR_NO_MORE_ITEMS) break;
            if (rc != ERROR_SUCCESS || type != REG_SZ) continue;
            int dataLength = static_cast<int>(dataBytes / sizeof(wchar_t));
            while (dataLength > 0 && data[dataLength - 1] == L'\0') --dataLength;
            const std::string portName = NarrowUtf16(data, dataLength);
            if (PortNumber(portName) > 0) {
                look.adapters.push_back(AdapterOf(NarrowUtf16(name, static_cast<int>(nameLength)), portName));
            }
        }
        ::RegCloseKey(key);
    }
    std::sort(look.adapters.begin(), look.adapters.end(), [](const SerialAdapter& a, const SerialAdapter& b) {
        if (a.kind != b.kind) return a.kind == SerialAdapterKind::Usb;
        return PortNumber(a.device) < PortNumber(b.device);
    });
    for (int number = 1; number <= kPortCount; ++number) {
        SerialPortRoute route;
        route.portName = "COM" + std::to_string(number);
        route.device = route.portName;
        for (std::size_t i = 0; i < look.adapters.size(); ++i) {
            if (PortNumber(look.adapters[i].device) == number) route.adapter = static_cast<int>(i);
        }
        route.state = route.adapter >= 0 ? SerialRouteState::Adapter : SerialRouteState::Missing;
        look.routes.push_back(std::move(route));
    }
    return look;
}

std::string SerialPortDiscovery::UseAs(int, const std::string&, std::string*) const
{
    return "Windows names its serial ports itself: a port's number is changed in Device Manager (the port's "
           "properties, Port Settings > Advanced).";
}
