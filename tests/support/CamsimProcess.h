// Runs the simulated camera on a pseudo-terminal as "COMn" for end-to-end tests and the benchmark.
#pragma once

#include "support/ScopedEnv.h"
#include "support/TempFolder.h"
#include "support/TestProcess.h"

#include <memory>
#include <string>
#include <vector>

class CamsimProcess {
public:
    // Points XDG_CONFIG_HOME at a fresh temporary folder (put back at the end) and starts `executable --link
    // <folder>/orvane/dosdevices/com<portNumber>` with the extra options; waits until the camera announces
    // that its link exists and its signals are handled.
    CamsimProcess(const std::string& executable, int portNumber, const std::vector<std::string>& options);
    ~CamsimProcess();  // stops the camera and removes the folder
    CamsimProcess(const CamsimProcess&) = delete;
    CamsimProcess& operator=(const CamsimProcess&) = delete;

    bool Ok() const { return ready_; }
    const std::string& Error() const { return error_; }
    const std::string& LinkPath() const { return linkPath_; }
    // The camera's own log (its standard output and error).
    std::string Log() const;
    // True while the process runs.
    bool Running() { return process_.Running(); }
    // Sends the signal to the camera process (SIGUSR1 lifts its faults, SIGUSR2 arms them); false when it
    // does not run.
    bool Signal(int signalNumber) { return process_.Signal(signalNumber); }
    // Waits up to timeoutMs until the camera's own log holds the text at least `count` times.
    bool WaitForLog(const std::string& text, int count, int timeoutMs);
    pid_t Pid() const { return process_.Pid(); }

private:
    TempFolder folder_;
    std::unique_ptr<ScopedEnv> configHome_;
    TestProcess process_;
    bool ready_ = false;
    std::string linkPath_;
    std::string logPath_;
    std::string error_;
};
