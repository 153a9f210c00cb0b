// How the command-line companion reaches the camera: which channel, which speed to start from, and
// whether the camera stays at the fast speed afterwards.
#pragma once

#include "link/SerialLink.h"

#include <string>

struct CtlConnection {
    int linkMode = kLinkComPort;
    int portIndex = 0;  // COMn is index n-1; for a Camera Link kind, the entry's position when entryName is empty
    std::string devicePath;  // a device path given instead of COMn
    std::string entryName;  // a Camera Link entry named by its text
    int baudRate = 0;  // 0: find the camera's speed as the tool does; else only this speed is tried
    bool keepSpeed = false;  // leave camera and PC at 115200 bit/s at the end

    // What a message names the channel: "COM3", "/dev/ttyUSB0", "2001:Grabber A".
    std::string Describe() const;
};
