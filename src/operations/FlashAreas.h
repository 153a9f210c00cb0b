// The camera's flash setting areas: load one, store into one, store into all.
#pragma once

#include "tables/RequestOutcome.h"

#include <functional>

class Command;

// Area numbers as the camera takes them: 0 "Factory" (stored with SA00), 1 to 3 "User 1" to "User 3".
enum FlashArea : int { kFlashFactory = 0, kFlashUser1 = 1, kFlashUser2 = 2, kFlashUser3 = 3 };

// The area's name as the operator reads it: "Factory", "User 1" .. "User 3"; "?" for any other number.
const char* FlashAreaName(int area);

class FlashAreas {
public:
    static constexpr int kLoadTimeoutMs = 10000;
    static constexpr int kStoreTimeoutMs = 8000;
    static constexpr int kStoreAllTimeoutMs = 10000;
    static constexpr int kStoreAllPauseMs = 20;

    // The area-select dialog: 1 with the chosen area (-1 for an entry it does not know), 0 on Cancel.
    using AreaChooser = std::function<int(bool load, int& area)>;

    FlashAreas(Command& command, AreaChooser chooseArea, std::function<void()> refresh);

    void SetAreaChooser(AreaChooser chooseArea) { chooseArea_ = std::move(chooseArea); }
    // Tests leave out the pause between the stores of "Store All".
    void SetPause(std::function<void(int ms)> pause) { pause_ = std::move(pause); }

    // "&Load settings": the chosen area into the camera's current settings, then everything read again.
    int LoadSettings();
    // "&Store settings": the camera's current settings into the chosen area.
    int StoreSettings();
    // "Store All": after the question, user areas 1 to 3, then the factory area.
    int StoreAll();

    // The store of one area with the time-out given; not sent for an area number that is not one.
    RequestOutcome Store(int area, int timeoutMs);

private:
    Command& command_;
    AreaChooser chooseArea_;
    std::function<void()> refresh_;
    std::function<void(int)> pause_;
};
