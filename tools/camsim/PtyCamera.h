// The simulated camera on a pseudo-terminal: the PC opens the slave side like a serial port.
#pragma once

#include "camsim/InProcessLink.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace camsim {

// Owns the pty pair and moves bytes between its master side and an InProcessLink. The PC's line settings
// live in the pty's termios (shared by master and slave); the camera reads the speed from there before
// every exchange, so a PC at another rate is not heard and hears nothing, as on a real line.
// One thread: Run loops on poll() until the stop flag is set (by a signal handler or another thread).
class PtyCamera {
public:
    explicit PtyCamera(InProcessLink& link);
    ~PtyCamera();
    PtyCamera(const PtyCamera&) = delete;
    PtyCamera& operator=(const PtyCamera&) = delete;

    // Creates the pty in raw mode and, when linkPath is not empty, the symlink to its slave (replacing an
    // existing file or symlink there, never a directory). 1 on success, 0 with the reason in error.
    int Open(const std::string& linkPath, std::string& error);
    const std::string& SlavePath() const { return slavePath_; }

    // Serves the PC until stop becomes true or the link hangs up (the terminal and its symlink are then
    // closed; HungUp tells). 1 on a clean stop or hang-up, 0 with the reason in error. When a lift flag is
    // set, its becoming true lifts the link's faults, and the arm flag arms them (each flag is reset and
    // "faults lifted" or "faults armed" is printed on standard output).
    int Run(const std::atomic<bool>& stop, std::string& error);
    void SetFaultFlags(std::atomic<bool>* arm, std::atomic<bool>* lift)
    {
        arm_ = arm;
        lift_ = lift;
    }
    bool HungUp() const { return hungUp_; }

    // The bit rate of the pty's current termios; 0 when it is not one of the camera's rates.
    int PcBaudRate() const;

private:
    void Close();
    // Lifts or arms the link's faults when their flag was raised since the last look.
    void TakeFaultFlags();
    // The bytes the PC sent, into the camera; 1, or 0 with the reason in error.
    int ReadFromPc(std::vector<std::uint8_t>& buffer, std::string& error);
    // The camera's answer bytes, out to the PC as far as the master takes them; the rest stays pending.
    int WriteToPc(std::vector<std::uint8_t>& pending, std::string& error);

    InProcessLink& link_;
    int master_ = -1;
    int slave_ = -1;  // kept open so the master never sees a hang-up between the PC's opens
    std::string slavePath_;
    std::string linkPath_;
    std::atomic<bool>* arm_ = nullptr;
    std::atomic<bool>* lift_ = nullptr;
    bool hungUp_ = false;
};

}  // namespace camsim
