// The state of one loaded simulated Camera Link library: its ports, makers, the selected maker and the
// call log. Each library file loaded is a frame grabber of its own; the state lives until the process
// ends (the libraries are linked so that unloading keeps them, as a real camera keeps its state when
// the tool lets go of the grabber's library).
#pragma once

#include "camsim/cl/SimPort.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace camsim {

class SimLibrary {
public:
    // The library of the calling shared object, configured on first use from, in this order: the file
    // "<library name without extension>.cfg" beside the library, the file named by RV_CLSIM_CONFIG, or
    // defaultConfig (also when the file configures no port).
    static SimLibrary& Instance(const char* defaultConfig);

    // Takes the configuration text directly (tests of the simulator itself).
    explicit SimLibrary(const std::string& configText, std::string folder = {});

    std::size_t PortCount() const { return ports_.size(); }
    SimPort* Port(std::size_t index) { return index < ports_.size() ? ports_[index].get() : nullptr; }
    // The serial reference handed out for a port, and the open port behind a reference (nullptr when
    // the reference is not one of ours or the port is closed).
    ClSerialRef ReferenceOf(const SimPort* port) const;
    SimPort* FromReference(ClSerialRef serialRef);

    // Makers in the order they first appear among the ports.
    const std::vector<std::string>& Makers() const { return makers_; }
    ClInt32 SelectMaker(const char* name);
    // The index-th port of the selected maker; nullptr when none is selected or the index is outside.
    SimPort* PortOfSelectedMaker(std::size_t index);
    std::size_t PortCountOfSelectedMaker() const;
    bool HasSelectedMaker() const { return selectedMaker_ >= 0; }

    // Appends one line to the call log when one is configured.
    void Log(const std::string& line);

    // Serialises calls: the interface allows calls from any thread.
    std::mutex& Mutex() { return mutex_; }

private:
    std::vector<std::unique_ptr<SimPort>> ports_;
    std::vector<std::string> makers_;
    int selectedMaker_ = -1;
    std::string logPath_;
    bool indexReferences_ = false;
    std::mutex mutex_;
};

// Copies text into a caller's buffer of *size bytes: CL_ERR_BUFFER_TOO_SMALL (and the size needed) when
// it does not fit with its terminating zero.
ClInt32 CopyClText(const std::string& text, char* buffer, ClUInt32* size);

}  // namespace camsim
