// The companion's output, shared by the cameras' threads.
#include "ctl/CtlConsole.h"

#include <algorithm>

namespace {
constexpr int kBarWidth = 30;
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);  // a terminal redraw is not free either
}  // namespace

CtlConsole::CtlConsole(std::FILE* out, std::FILE* err, bool bars, int rows)
    : out_(out), err_(err), bars_(bars), rows_(static_cast<std::size_t>(std::max(rows, 0)))
{
}

CtlConsole::~CtlConsole()
{
    // The bars stay on the terminal as they ended; the cursor is below them already.
    std::fflush(err_);
}

void CtlConsole::Out(const std::string& line) { Write(out_, line + "\n"); }

void CtlConsole::Err(const std::string& line) { Write(err_, line + "\n"); }

void CtlConsole::Raw(const std::string& bytes) { Write(out_, bytes); }

void CtlConsole::Write(std::FILE* stream, const std::string& text)
{
    const std::lock_guard<std::mutex> lock(mutex_);
    // Standard output may be the same terminal: the bars make room for the text and come back below it.
    ClearBars();
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
    DrawBars();
}

void CtlConsole::SetBar(int row, const std::string& label, int percent, const std::string& message, bool force)
{
    if (!bars_ || row < 0 || row >= static_cast<int>(rows_.size())) return;
    const std::lock_guard<std::mutex> lock(mutex_);
    percent = std::clamp(percent, 0, 100);
    const int filled = percent * kBarWidth / 100;
    char number[8];
    std::snprintf(number, sizeof number, "%3d%%", percent);
    rows_[static_cast<std::size_t>(row)] = label + "  [" + std::string(static_cast<std::size_t>(filled), '#') +
                                           std::string(static_cast<std::size_t>(kBarWidth - filled), ' ') + "] " +
                                           number + "  " + message;
    const auto now = std::chrono::steady_clock::now();
    if (!force && now - lastDrawn_ < kRedrawEvery) return;
    lastDrawn_ = now;
    ClearBars();
    DrawBars();
}

void CtlConsole::ClearBars()
{
    if (!bars_ || drawn_ == 0) return;
    // Up to the first bar line, then erase to the end of the screen.
    std::fprintf(err_, "\x1b[%dA\r\x1b[J", drawn_);
    drawn_ = 0;
}

void CtlConsole::DrawBars()
{
    if (!bars_) return;
    for (const std::string& row : rows_) {
        if (row.empty()) continue;
        std::fprintf(err_, "%s\x1b[K\n", row.c_str());
        ++drawn_;
    }
    std::fflush(err_);
}
