// The configuration of one simulated Camera Link library: its ports (each a camera of its own) and the
// faults they show.
#pragma once

#include "camsim/CameraConfig.h"
#include "link/ClSerialApi.h"

#include <string>
#include <vector>

namespace camsim {

struct SimPortConfig {
    std::string maker;
    std::string portId;
    CameraConfig camera;
    // Rate bits the port reports as supported (clGetSupportedBaudRates).
    ClUInt32 supportedRates =
        CL_BAUDRATE_9600 | CL_BAUDRATE_19200 | CL_BAUDRATE_38400 | CL_BAUDRATE_57600 | CL_BAUDRATE_115200;
    // Error codes a call returns instead of working (0 = works).
    ClInt32 initError = 0;
    ClInt32 ratesError = 0;
    ClInt32 setRateError = 0;
    ClInt32 readError = 0;
    ClInt32 writeError = 0;
};

struct SimConfig {
    std::vector<SimPortConfig> ports;
    // Every call into the library is appended to this file when set (relative names are taken from the
    // library's folder).
    std::string callLog;
    // Serial references are the ports' indexes (the first port's being 0, a null pointer) instead of
    // addresses: some makers' libraries hand out small numbers.
    bool indexReferences = false;
};

// Parses the configuration text. Lines:
//   # comment
//   log FILE
//   references index
//   port MAKER PORT-ID [model=TEXT] [speed=CODE] [rates=9600,19200,...] [silent] [answer-delay=MS]
//        [init-error=CODE] [rates-error=CODE] [set-error=CODE] [read-error=CODE] [write-error=CODE]
// CODE is a number or a CL_ERR_* name. Gives false and says why (with the line number) on bad input.
bool ParseSimConfig(const std::string& text, SimConfig& config, std::string& error);

// The CL_ERR_* name of a code ("" when unknown), and the code of a name or number (false when neither).
std::string ClErrorName(ClInt32 code);
bool ParseClError(const std::string& text, ClInt32& code);

}  // namespace camsim
