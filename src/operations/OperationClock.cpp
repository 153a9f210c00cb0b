// The real clock of the one-shot operations.
#include "operations/OperationClock.h"

#include "framework/UiHost.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {
constexpr int kPaintStepMs = 20;
}

std::int64_t SteadyOperationClock::NowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void SteadyOperationClock::Pause(int ms)
{
    const std::int64_t end = NowMs() + std::max(0, ms);
    // Nothing is expected from the camera during the pause, so a plain sleep in short steps is enough;
    // between the steps the windows repaint (no input: the operation is not to be interleaved).
    for (std::int64_t left = end - NowMs(); left > 0; left = end - NowMs()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min<std::int64_t>(left, kPaintStepMs)));
        ui_.PumpMessages(true);
    }
}
