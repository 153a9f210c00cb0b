// One serial port of a simulated frame grabber with its camera behind it, answering the Camera Link
// serial calls with their result codes.
#pragma once

#include "camsim/cl/SimConfig.h"

#include <memory>

namespace camsim {

class CameraModel;
class InProcessLink;

class SimPort {
public:
    explicit SimPort(const SimPortConfig& config);
    ~SimPort();
    SimPort(const SimPort&) = delete;
    SimPort& operator=(const SimPort&) = delete;

    const SimPortConfig& Config() const { return config_; }
    bool IsOpen() const { return open_; }

    // The port starts at 9600 bit/s at every open, as a grabber's port does; the camera keeps its own
    // speed (it is another device).
    ClInt32 Open();
    void Close();
    ClInt32 SupportedRates(ClUInt32& mask) const;
    ClInt32 SetRate(ClUInt32 code);
    // Waits up to timeoutMs for all `size` bytes; on a time-out, size says how many came.
    ClInt32 Read(char* buffer, ClUInt32& size, ClUInt32 timeoutMs);
    ClInt32 Write(const char* buffer, ClUInt32& size);
    ClUInt32 BytesAvailable() const;
    void Flush();
    int Rate() const { return rate_; }

private:
    SimPortConfig config_;
    std::unique_ptr<CameraModel> camera_;
    std::unique_ptr<InProcessLink> link_;
    bool open_ = false;
    int rate_ = 9600;
};

}  // namespace camsim
