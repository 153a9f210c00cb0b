// A simulated frame grabber's serial port with its camera.
#include "camsim/cl/SimPort.h"

#include "camsim/CameraModel.h"
#include "camsim/InProcessLink.h"

#include <chrono>
#include <cstdint>

namespace camsim {

SimPort::SimPort(const SimPortConfig& config)
    : config_(config),
      camera_(std::make_unique<CameraModel>(config.camera)),
      link_(std::make_unique<InProcessLink>(*camera_))
{
}

SimPort::~SimPort() = default;

ClInt32 SimPort::Open()
{
    if (open_) {
        return CL_ERR_PORT_IN_USE;
    }
    if (config_.initError != 0) {
        return config_.initError;
    }
    open_ = true;
    rate_ = 9600;
    link_->SetPcBaudRate(rate_);
    Flush();
    return CL_ERR_NO_ERR;
}

void SimPort::Close() { open_ = false; }

ClInt32 SimPort::SupportedRates(ClUInt32& mask) const
{
    if (config_.ratesError != 0) {
        return config_.ratesError;
    }
    mask = config_.supportedRates;
    return CL_ERR_NO_ERR;
}

ClInt32 SimPort::SetRate(ClUInt32 code)
{
    if (config_.setRateError != 0) {
        return config_.setRateError;
    }
    int rate = ClBaudRateOfCode(code);
    if (rate == 0 || (config_.supportedRates & code) == 0) {
        return CL_ERR_BAUD_RATE_NOT_SUPPORTED;
    }
    rate_ = rate;
    link_->SetPcBaudRate(rate_);
    return CL_ERR_NO_ERR;
}

ClInt32 SimPort::Read(char* buffer, ClUInt32& size, ClUInt32 timeoutMs)
{
    if (config_.readError != 0) {
        size = 0;
        return config_.readError;
    }
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    ClUInt32 wanted = size;
    ClUInt32 got = 0;
    while (got < wanted) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left < 0) {
            left = 0;
        }
        std::size_t n =
            link_->Read(reinterpret_cast<std::uint8_t*>(buffer) + got, wanted - got, static_cast<int>(left));
        got += static_cast<ClUInt32>(n);
        if (n == 0 && left == 0) {
            break;
        }
    }
    size = got;
    return got == wanted ? CL_ERR_NO_ERR : CL_ERR_TIMEOUT;
}

ClInt32 SimPort::Write(const char* buffer, ClUInt32& size)
{
    if (config_.writeError != 0) {
        size = 0;
        return config_.writeError;
    }
    link_->Write(reinterpret_cast<const std::uint8_t*>(buffer), size);
    return CL_ERR_NO_ERR;
}

ClUInt32 SimPort::BytesAvailable() const { return static_cast<ClUInt32>(link_->Available()); }

void SimPort::Flush()
{
    std::uint8_t scratch[256];
    while (link_->Available() > 0 && link_->Read(scratch, sizeof scratch, 0) > 0) {}
}

}  // namespace camsim
