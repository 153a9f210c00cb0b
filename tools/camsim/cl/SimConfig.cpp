// Parsing the simulated Camera Link library's configuration.
#include "camsim/cl/SimConfig.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <sstream>

namespace camsim {

namespace {

struct ErrorName {
    ClInt32 code;
    const char* name;
};

constexpr ErrorName kErrorNames[] = {
    {CL_ERR_NO_ERR, "CL_ERR_NO_ERR"},
    {CL_ERR_BUFFER_TOO_SMALL, "CL_ERR_BUFFER_TOO_SMALL"},
    {CL_ERR_MANU_DOES_NOT_EXIST, "CL_ERR_MANU_DOES_NOT_EXIST"},
    {CL_ERR_PORT_IN_USE, "CL_ERR_PORT_IN_USE"},
    {CL_ERR_TIMEOUT, "CL_ERR_TIMEOUT"},
    {CL_ERR_INVALID_INDEX, "CL_ERR_INVALID_INDEX"},
    {CL_ERR_INVALID_REFERENCE, "CL_ERR_INVALID_REFERENCE"},
    {CL_ERR_ERROR_NOT_FOUND, "CL_ERR_ERROR_NOT_FOUND"},
    {CL_ERR_BAUD_RATE_NOT_SUPPORTED, "CL_ERR_BAUD_RATE_NOT_SUPPORTED"},
    {CL_ERR_OUT_OF_MEMORY, "CL_ERR_OUT_OF_MEMORY"},
    {CL_ERR_UNABLE_TO_LOAD_DLL, "CL_ERR_UNABLE_TO_LOAD_DLL"},
    {CL_ERR_FUNCTION_NOT_FOUND, "CL_ERR_FUNCTION_NOT_FOUND"},
};

bool ParseInt(const std::string& text, long& value)
{
    if (text.empty()) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return errno == 0 && end != nullptr && *end == '\0';
}

bool ParseRates(const std::string& text, ClUInt32& mask)
{
    mask = 0;
    std::istringstream list(text);
    std::string item;
    while (std::getline(list, item, ',')) {
        long rate = 0;
        if (!ParseInt(item, rate) || ClBaudRateCode(static_cast<int>(rate)) == 0) {
            return false;
        }
        mask |= ClBaudRateCode(static_cast<int>(rate));
    }
    // A port without any rate could never be opened: that is a slip in the file, not a fault to show.
    return mask != 0;
}

// Applies one key or key=value of a port line.
bool ApplyPortOption(const std::string& option, SimPortConfig& port, std::string& why)
{
    std::size_t equals = option.find('=');
    std::string key = option.substr(0, equals);
    std::string value = equals == std::string::npos ? std::string() : option.substr(equals + 1);
    long number = 0;
    if (key == "silent" && equals == std::string::npos) {
        port.camera.silent = true;
        return true;
    }
    if (equals == std::string::npos) {
        why = "unknown option '" + option + "'";
        return false;
    }
    if (key == "model") {
        port.camera.model = value;
        return !value.empty() || (why = "empty model", false);
    }
    if (key == "speed") {
        if (!ParseInt(value, number) || BaudRateOfCode(static_cast<int>(number)) == 0) {
            why = "bad speed code '" + value + "'";
            return false;
        }
        port.camera.baudCode = static_cast<int>(number);
        return true;
    }
    if (key == "rates") {
        return ParseRates(value, port.supportedRates) || (why = "bad rate list '" + value + "'", false);
    }
    if (key == "answer-delay") {
        if (!ParseInt(value, number) || number < 0 || number > 60000) {
            why = "bad answer delay '" + value + "'";
            return false;
        }
        port.camera.answerDelayMs = static_cast<int>(number);
        return true;
    }
    ClInt32* target = key == "init-error"    ? &port.initError
                      : key == "rates-error" ? &port.ratesError
                      : key == "set-error"   ? &port.setRateError
                      : key == "read-error"  ? &port.readError
                      : key == "write-error" ? &port.writeError
                                             : nullptr;
    if (target == nullptr) {
        why = "unknown option '" + key + "'";
        return false;
    }
    return ParseClError(value, *target) || (why = "bad error code '" + value + "'", false);
}

}  // namespace

std::string ClErrorName(ClInt32 code)
{
    for (const ErrorName& entry : kErrorNames) {
        if (entry.code == code) {
            return entry.name;
        }
    }
    return {};
}

bool ParseClError(const std::string& text, ClInt32& code)
{
    for (const ErrorName& entry : kErrorNames) {
        if (text == entry.name) {
            code = entry.code;
            return true;
        }
    }
    long number = 0;
    if (!ParseInt(text, number) || number < INT32_MIN || number > INT32_MAX) {
        return false;
    }
    code = static_cast<ClInt32>(number);
    return true;
}

bool ParseSimConfig(const std::string& text, SimConfig& config, std::string& error)
{
    SimConfig result;
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        std::istringstream words(line);
        std::string keyword;
        if (!(words >> keyword) || keyword[0] == '#') {
            continue;
        }
        std::string why;
        if (keyword == "log") {
            if (!(words >> result.callLog)) {
                why = "log needs a file name";
            }
        } else if (keyword == "references") {
            std::string kind;
            if (!(words >> kind) || (kind != "index" && kind != "address")) {
                why = "references must be index or address";
            }
            result.indexReferences = kind == "index";
        } else if (keyword == "port") {
            SimPortConfig port;
            if (!(words >> port.maker >> port.portId)) {
                why = "port needs a maker and a port id";
            }
            std::string option;
            while (why.empty() && words >> option) {
                ApplyPortOption(option, port, why);
            }
            if (why.empty()) {
                result.ports.push_back(std::move(port));
            }
        } else {
            why = "unknown keyword '" + keyword + "'";
        }
        if (!why.empty()) {
            error = "line " + std::to_string(lineNumber) + ": " + why;
            return false;
        }
    }
    config = std::move(result);
    return true;
}

}  // namespace camsim
