// The simulated camera behind an in-process channel.
#include "support/InProcessCamera.h"

#include "support/ManualLinkClock.h"

namespace {

// The line's time on the manual clock: a wait for the next byte moves the clock on to it. One thread
// drives both the line and the link, so no wait can miss another thread's bytes.
class ClockLineTime : public camsim::LineTime {
public:
    explicit ClockLineTime(ManualLinkClock& clock) : clock_(clock) {}
    Clock::time_point Now() const override { return Clock::time_point(std::chrono::microseconds(clock_.NowUs())); }
    void WaitUntil(std::condition_variable&, std::unique_lock<std::mutex>&, Clock::time_point until) override
    {
        clock_.AdvanceToUs(std::chrono::duration_cast<std::chrono::microseconds>(until.time_since_epoch()).count());
    }

private:
    ManualLinkClock& clock_;
};

}  // namespace

InProcessCamera::InProcessCamera(const camsim::CameraConfig& config, ManualLinkClock* clock)
    : model_(config),
      time_(clock ? std::make_unique<ClockLineTime>(*clock) : nullptr),
      line_(model_, time_ ? *time_ : camsim::LineTime::Steady())
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
    command_ = std::make_unique<Command>(*link_);
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
