// Test helper: milliseconds since a point of the steady clock, for the real-time smoke tests.
#pragma once

#include <chrono>

inline long long MsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}
