// The camera's flash setting areas: load one, store into one, store into all.
#pragma once

#include "framework/OperatorHosts.h"
#include "tables/RequestOutcome.h"

#include <functional>
#include <string_view>

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
    // What the operator reads once a store went through: after "&Store settings", and after "Store All" or
    // a store of the communication dialog.
    static constexpr std::string_view kSavedText = "Completed saving current setting data !";
    static constexpr std::string_view kStoredText = "Completed to store current setting data!";

    // The area-select dialog: 1 with the chosen area (-1 for an entry it does not know), 0 on Cancel.
    using AreaChooser = std::function<int(bool load, int& area)>;

    FlashAreas(Command& command, AreaChooser chooseArea, std::function<void()> refresh, OperatorHosts hosts);

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
    // The store of one area as a single action of the operator's: a refusal shown as a communication
    // error, a store that went through confirmed with `done`. 1 when stored.
    int StoreArea(int area, int timeoutMs, std::string_view done);
    // The load of one area as a single action: a refusal shown, everything read again after a load that
    // went through. 1 when loaded.
    int LoadArea(int area);

private:
    // The area-select dialog's choice: 1 with an area, 0 on Cancel or, after its message, for an entry that
    // is no area.
    int ChooseArea(bool load, int& area);

    Command& command_;
    AreaChooser chooseArea_;
    std::function<void()> refresh_;
    std::function<void(int)> pause_;
    OperatorHosts hosts_;
};
