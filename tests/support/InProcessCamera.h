// The simulated camera in this process, reached as a Camera Link channel: a link and a protocol to a camera
// whose identity and faults a test sets, without a pseudo-terminal or a process of its own. On a manual
// clock the line's delays and every time-out pass at once, exactly, in no real time.
#pragma once

#include "camsim/CameraModel.h"
#include "camsim/InProcessLink.h"
#include "link/ClSerialKind.h"
#include "link/ComPort.h"
#include "link/Command.h"
#include "link/SerialLink.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

class SteppedLineTime;

class InProcessCamera : public ClSerialKind {
public:
    // clock: the time of the line and of the camera's own link (nullptr: the steady clock). A test's own
    // link to this camera (it is its channel kind) takes the same clock.
    explicit InProcessCamera(const camsim::CameraConfig& config, SteppedLineTime* clock = nullptr);
    ~InProcessCamera() override;

    // The protocol on a link opened to this camera at its own speed.
    Command& GetCommand() { return *command_; }
    // The lines that reached the camera, in order, without their line ends (also those it ignored after a
    // disconnection).
    std::vector<std::string> Received() const;
    void ClearReceived();
    // Every line received, sent and lost, one entry each, as the camera's traffic log writes it but with
    // the bytes as they came: "<date> <time> RX|TX|LOST <line>", stamped with the line's own time. Kept
    // from the start, ClearReceived or not.
    std::vector<std::string> Traffic() const;
    // Wakes dormant faults (their line numbers count from now), as the camera's signal does.
    void ArmFaults() { line_.ArmFaults(); }

    int ScanEntries() override { return 1; }
    std::string EntryName(int index) const override { return index == 0 ? "simulated camera" : std::string(); }
    int OpenEntry(int index) override { return index == 0 ? 1 : 0; }
    int SetBaudRate(int rate) override;
    bool SupportsBaudRate(int rate) override { return rate > 0; }
    int ReadBytes(std::uint8_t* buffer, int count, int timeoutMs) override;
    int WriteBytes(const std::uint8_t* buffer, int count, int timeoutMs) override;
    void CloseEntry() override {}

private:
    camsim::CameraModel model_;
    camsim::InProcessLink line_;
    mutable std::mutex mutex_;
    std::vector<std::string> received_;
    std::vector<std::string> traffic_;
    ComPort port_;
    std::unique_ptr<SerialLink> link_;
    std::unique_ptr<Command> command_;
};
