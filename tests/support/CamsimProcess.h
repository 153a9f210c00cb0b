// Runs the simulated camera on a pseudo-terminal as "COMn" for end-to-end tests and the benchmark.
#pragma once

#include <string>
#include <vector>

class CamsimProcess {
public:
    // Sets XDG_CONFIG_HOME to a fresh temporary folder and starts `executable --link
    // <folder>/orvane/dosdevices/com<portNumber>` with the extra options; waits until the link exists.
    CamsimProcess(const std::string& executable, int portNumber, const std::vector<std::string>& options);
    ~CamsimProcess();  // stops the camera (the process started here, by its id) and removes the folder
    CamsimProcess(const CamsimProcess&) = delete;
    CamsimProcess& operator=(const CamsimProcess&) = delete;

    bool Ok() const { return ready_; }
    const std::string& Error() const { return error_; }
    const std::string& LinkPath() const { return linkPath_; }
    // The camera's own log (its standard output and error).
    std::string Log() const;
    // True while the process runs.
    bool Running();
    // Sends the signal to the camera process (SIGUSR1 lifts its faults, SIGUSR2 arms them); false when it
    // does not run.
    bool Signal(int signalNumber);
    // Waits up to timeoutMs until the camera's own log holds the text at least `count` times.
    bool WaitForLog(const std::string& text, int count, int timeoutMs);

private:
    int pid_ = -1;
    bool ready_ = false;
    std::string folder_;
    std::string linkPath_;
    std::string logPath_;
    std::string error_;
};
