// The serial devices this system has, and where each "COMn" name leads.
#pragma once

#include <string>
#include <vector>

enum class SerialAdapterKind {
    Usb,  // a USB serial adapter (or a USB device with a serial function)
    OnBoard,  // a port of the PC itself, or of a plug-in card
};

// One serial device that is there now.
struct SerialAdapter {
    // The name a port should lead to: the stable /dev/serial/by-id/ name where the system has one (it
    // survives a replug under another /dev/ttyUSBn), else the device node. On Windows the port name "COM3".
    std::string device;
    // The system's own name of the device: /dev/ttyUSB0; on Windows the driver's device (\Device\VCP0).
    std::string node;
    SerialAdapterKind kind = SerialAdapterKind::OnBoard;
    std::string driver;  // ftdi_sio, cdc_acm, serial; empty when unknown
    std::string manufacturer;  // USB adapters: what the adapter itself says
    std::string product;
    std::string serial;
    std::string usbId;  // "0403:6001"
    std::string uart;  // on-board ports: the UART's kind ("16550A"), when the system says it

    // "FTDI FT232R USB UART, serial A10KZP3X"; "on-board port (16550A)".
    std::string Description() const;
    bool operator==(const SerialAdapter&) const = default;
};

enum class SerialRouteState {
    Missing,  // the device the name leads to is not there (an adapter unplugged, a link left dangling)
    Adapter,  // one of the adapters present
    NoPort,  // an on-board name with no port behind it (the system keeps such names for ports it lacks)
    Other,  // a device that is there but is none of the listed adapters (a pseudo-terminal)
};

// Where one "COMn" leads.
struct SerialPortRoute {
    std::string portName;  // "COM2"
    // What the name opens: the target of its dosdevices link, or /dev/ttyS(n-1) without one; on Windows
    // the port name itself.
    std::string device;
    bool linked = false;  // a dosdevices link names the device
    SerialRouteState state = SerialRouteState::Missing;
    int adapter = -1;  // its index in the adapter list of the same look, -1 for none

    bool operator==(const SerialPortRoute&) const = default;
};

// Everything one look found.
struct SerialPortSnapshot {
    std::vector<SerialAdapter> adapters;  // USB adapters first, then on-board ports, each in name order
    std::vector<SerialPortRoute> routes;  // COM1 to COM16

    bool operator==(const SerialPortSnapshot&) const = default;
};

// Reads the system's serial devices without opening any of them. On Linux from sysfs (/sys/class/tty and
// the USB device above each port) and /dev/serial/by-id, through a root folder that stands for "/" (tests
// build a tree there); on Windows from the registry's list of COM ports.
class SerialPortDiscovery {
public:
    static constexpr int kPortCount = 16;

    // root: the folder standing for "/", empty for the system itself.
    explicit SerialPortDiscovery(std::string root = SystemRoot());

    // A few hundred bytes of sysfs at most: cheap enough to repeat every second while a window shows it.
    SerialPortSnapshot Look() const;

    // Makes "COMn" (1 to 16) lead to the device, making or replacing its dosdevices link in one step. A
    // device node that has a stable by-id name is linked by that name. Gives an empty text on success,
    // else why not, in the operator's words; linkedTo (when given) receives the name linked to.
    std::string UseAs(int portNumber, const std::string& device, std::string* linkedTo = nullptr) const;

    // A path as the system the root folder stands for names it: the root folder taken off, for people.
    std::string Displayed(const std::string& path) const;

    // What is at the end of a route, in words the dialog and the companion share: the adapter's description,
    // "not there", "no port behind this name", "there (not one of the adapters listed)".
    static std::string WhatIsThere(const SerialPortRoute& route, const SerialPortSnapshot& look);

    // Whether the tool names ports through links it can make (Linux); on Windows the system names them.
    static bool CanLink();
    // The folder of the dosdevices links (empty on Windows or without a home folder).
    static std::string LinkFolder();
    // $RV_DEVICE_ROOT, else empty: the system itself.
    static std::string SystemRoot();

private:
    std::string root_;
};
