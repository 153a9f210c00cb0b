// The simulated camera behind an in-process channel.
#include "support/InProcessCamera.h"

#include "support/SteppedLineTime.h"
#include "support/TestHosts.h"

#include <cstdio>

namespace {

// The stepped clock's time since the test began as a day's clock time (midnight without a stepped clock).
std::string Stamp(SteppedLineTime* clock)
{
    const long long ms = clock ? clock->NowMs() : 0;
    char stamp[40];
    std::snprintf(stamp, sizeof stamp, "1970-01-01 %02lld:%02lld:%02lld.%03lld", ms / 3600000 % 24, ms / 60000 % 60,
                  ms / 1000 % 60, ms % 1000);
    return stamp;
}

}  // namespace

InProcessCamera::InProcessCamera(const camsim::CameraConfig& config, SteppedLineTime* clock)
    : model_(config), line_(model_, clock ? static_cast<camsim::LineTime&>(*clock) : camsim::LineTime::Steady())
{
    line_.SetTrafficSink([this, clock](camsim::InProcessLink::Traffic kind, std::string_view line) {
        // Called with the line's own lock held; this lock guards only the lists. A line the camera did not
        // take (it has gone) still counts as sent to it.
        std::lock_guard lock(mutex_);
        traffic_.push_back(Stamp(clock) + " " + camsim::InProcessLink::TrafficTag(kind) + " " + std::string(line));
        if (kind != camsim::InProcessLink::Traffic::Sent) received_.emplace_back(line);
    });
    link_ = std::make_unique<SerialLink>(
        LinkSettings{}, port_, [this](int mode) -> ClSerialKind* { return mode == kLinkCl2000 ? this : nullptr; },
        nullptr);
    link_->SetClock(clock);
    link_->Open(kLinkCl2000, camsim::BaudRateOfCode(model_.BaudCode()), 0);
    command_ = std::make_unique<Command>(*link_, TestHosts());
}

InProcessCamera::~InProcessCamera()
{
    command_.reset();
    link_.reset();
}

std::vector<std::string> InProcessCamera::Received() const
{
    std::lock_guard lock(mutex_);
    return received_;
}

std::vector<std::string> InProcessCamera::Traffic() const
{
    std::lock_guard lock(mutex_);
    return traffic_;
}

void InProcessCamera::ClearReceived()
{
    std::lock_guard lock(mutex_);
    received_.clear();
}

int InProcessCamera::SetBaudRate(int rate)
{
    line_.SetPcBaudRate(rate);
    return 1;
}

int InProcessCamera::ReadBytes(std::uint8_t* buffer, int count, int timeoutMs)
{
    if (count <= 0) return 0;
    return static_cast<int>(line_.Read(buffer, static_cast<std::size_t>(count), timeoutMs));
}

int InProcessCamera::WriteBytes(const std::uint8_t* buffer, int count, int /*timeoutMs*/)
{
    if (count <= 0) return 0;
    line_.Write(buffer, static_cast<std::size_t>(count));
    return count;
}
