// The state of one loaded simulated Camera Link library.
#include "camsim/cl/SimLibrary.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace camsim {

namespace {

bool ReadFile(const std::string& path, std::string& text)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    std::ostringstream content;
    content << file.rdbuf();
    text = content.str();
    return true;
}

// The full path of the shared object this code was loaded from, with '/' separators.
std::string OwnPath()
{
#ifdef _WIN32
    // Pinned: a DLL the tool frees stays loaded, with its cameras and their speed, as a real camera keeps its
    // state while the tool lets go of the grabber's library.
    HMODULE module = nullptr;
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                           reinterpret_cast<LPCSTR>(&OwnPath), &module) == 0) {
        return {};
    }
    char buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameA(module, buffer, MAX_PATH);
    std::string path(buffer, length < MAX_PATH ? length : 0);
    for (char& c : path) c = c == '\\' ? '/' : c;
    return path;
#else
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&OwnPath), &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    return info.dli_fname;
#endif
}

}  // namespace

SimLibrary& SimLibrary::Instance(const char* defaultConfig)
{
    // Never destroyed: the tool may call clSerialClose while the process exits.
    static SimLibrary* const library = [defaultConfig] {
        std::string path = OwnPath();
        std::size_t slash = path.rfind('/');
        std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash);
        std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        std::string stem = name.substr(0, name.rfind('.'));
        std::string text = defaultConfig;
        std::string source = "built-in configuration";
        const char* fromEnvironment = std::getenv("RV_CLSIM_CONFIG");
        if (ReadFile(folder + "/" + stem + ".cfg", text)) {
            source = folder + "/" + stem + ".cfg";
        } else if (fromEnvironment != nullptr && *fromEnvironment != '\0' && ReadFile(fromEnvironment, text)) {
            source = fromEnvironment;
        }
        SimConfig probe;
        std::string error;
        if (!ParseSimConfig(text, probe, error)) {
            // A bad file gives a grabber without ports, so the mistake shows as an empty list.
            std::fprintf(stderr, "%s: %s: %s\n", name.c_str(), source.c_str(), error.c_str());
            text.clear();
        } else if (probe.ports.empty()) {
            // A file that only names the call log keeps the built-in ports.
            text += std::string("\n") + defaultConfig;
        }
        return new SimLibrary(text, folder);
    }();
    return *library;
}

SimLibrary::SimLibrary(const std::string& configText, std::string folder)
{
    SimConfig config;
    std::string error;
    if (!ParseSimConfig(configText, config, error)) {
        return;
    }
    for (const SimPortConfig& port : config.ports) {
        ports_.push_back(std::make_unique<SimPort>(port));
        bool known = false;
        for (const std::string& maker : makers_) {
            known = known || maker == port.maker;
        }
        if (!known) {
            makers_.push_back(port.maker);
        }
    }
    indexReferences_ = config.indexReferences;
    if (!config.callLog.empty()) {
        logPath_ = config.callLog[0] == '/' || config.callLog.find(':') == 1 || folder.empty() ? config.callLog : folder + "/" + config.callLog;
    }
}

ClSerialRef SimLibrary::ReferenceOf(const SimPort* port) const
{
    for (std::size_t i = 0; i < ports_.size(); ++i) {
        if (ports_[i].get() == port) {
            return indexReferences_ ? reinterpret_cast<ClSerialRef>(i) : static_cast<ClSerialRef>(ports_[i].get());
        }
    }
    return nullptr;
}

SimPort* SimLibrary::FromReference(ClSerialRef serialRef)
{
    for (const auto& port : ports_) {
        if (ReferenceOf(port.get()) == serialRef && port->IsOpen()) {
            return port.get();
        }
    }
    return nullptr;
}

ClInt32 SimLibrary::SelectMaker(const char* name)
{
    for (std::size_t i = 0; name != nullptr && i < makers_.size(); ++i) {
        if (makers_[i] == name) {
            selectedMaker_ = static_cast<int>(i);
            return CL_ERR_NO_ERR;
        }
    }
    return CL_ERR_MANU_DOES_NOT_EXIST;
}

SimPort* SimLibrary::PortOfSelectedMaker(std::size_t index)
{
    if (selectedMaker_ < 0) {
        return nullptr;
    }
    const std::string& maker = makers_[static_cast<std::size_t>(selectedMaker_)];
    for (const auto& port : ports_) {
        if (port->Config().maker == maker && index-- == 0) {
            return port.get();
        }
    }
    return nullptr;
}

std::size_t SimLibrary::PortCountOfSelectedMaker() const
{
    if (selectedMaker_ < 0) {
        return 0;
    }
    std::size_t count = 0;
    for (const auto& port : ports_) {
        count += port->Config().maker == makers_[static_cast<std::size_t>(selectedMaker_)] ? 1 : 0;
    }
    return count;
}

void SimLibrary::Log(const std::string& line)
{
    if (logPath_.empty()) {
        return;
    }
    std::ofstream file(logPath_, std::ios::app);
    file << line << '\n';
}

ClInt32 CopyClText(const std::string& text, char* buffer, ClUInt32* size)
{
    if (size == nullptr) {
        return CL_ERR_BUFFER_TOO_SMALL;
    }
    ClUInt32 needed = static_cast<ClUInt32>(text.size() + 1);
    if (buffer == nullptr || *size < needed) {
        *size = needed;
        return CL_ERR_BUFFER_TOO_SMALL;
    }
    std::memcpy(buffer, text.c_str(), needed);
    *size = needed;
    return CL_ERR_NO_ERR;
}

}  // namespace camsim
