// The progress bar on the terminal.
#include "ctl/TerminalProgress.h"

#include <algorithm>
#include <cstdio>

namespace {
constexpr int kBarWidth = 30;
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);  // a terminal redraw is not free either
}  // namespace

TerminalProgress::~TerminalProgress()
{
    if (open_) Close();
}

void TerminalProgress::Open(const std::string& message)
{
    if (!enabled_) return;
    open_ = true;
    message_ = message;
    percent_ = 0;
    Draw(true);
}

void TerminalProgress::SetMessage(const std::string& text)
{
    if (!enabled_) return;
    message_ = text;
    Draw(false);
}

void TerminalProgress::SetPosition(int percent)
{
    if (!enabled_) return;
    percent_ = std::clamp(percent, 0, 100);
    Draw(percent_ == 100);
}

void TerminalProgress::Close()
{
    if (!enabled_ || !open_) return;
    percent_ = 100;
    Draw(true);
    std::fputc('\n', stderr);
    std::fflush(stderr);
    open_ = false;
}

void TerminalProgress::Draw(bool force)
{
    const auto now = std::chrono::steady_clock::now();
    if (!force && now - lastDrawn_ < kRedrawEvery) return;
    lastDrawn_ = now;
    const int filled = percent_ * kBarWidth / 100;
    // "\r" and the erase-to-end sequence redraw the one line in place.
    std::fprintf(stderr, "\r[%s%s] %3d%%  %s\x1b[K", std::string(static_cast<std::size_t>(filled), '#').c_str(),
                 std::string(static_cast<std::size_t>(kBarWidth - filled), ' ').c_str(), percent_, message_.c_str());
    std::fflush(stderr);
}
