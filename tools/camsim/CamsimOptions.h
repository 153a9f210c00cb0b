// The command line of the pseudo-terminal camera.
#pragma once

#include "camsim/CameraConfig.h"

#include <string>
#include <vector>

namespace camsim {

struct CamsimOptions {
    CameraConfig camera;
    std::string linkPath;  // symlink to the pty's slave; empty: none
    std::string logPath;  // traffic log; empty: none
    int readyFd = -1;  // descriptor told the terminal's path once signals are handled; -1: none
    bool help = false;
    bool version = false;

    // Parses the arguments after the program name. 1 on success; 0 with the reason in error.
    static int Parse(const std::vector<std::string>& args, CamsimOptions& options, std::string& error);
    static std::string Usage();
};

}  // namespace camsim
