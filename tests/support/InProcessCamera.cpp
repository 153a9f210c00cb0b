// The simulated camera behind an in-process channel.
#include "support/InProcessCamera.h"

#include "support/SteppedLineTime.h"
#include "support/TestHosts.h"

InProcessCamera::InProcessCamera(const camsim::CameraConfig& config, SteppedLineTime* clock)
    : model_(config), line_(model_, clock ? static_cast<camsim::LineTime&>(*clock) : camsim::LineTime::Steady())
{
    line_.SetTrafficSink([this](camsim::InProcessLink::Traffic kind, std::string_view line) {
        // Called with the line's own lock held; this lock guards only the list. A line the camera did not
        // take (it has gone) still counts as sent to it.
        if (kind == camsim::InProcessLink::Traffic::Sent) return;
        std::lock_guard lock(mutex_);
        received_.emplace_back(line);
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
