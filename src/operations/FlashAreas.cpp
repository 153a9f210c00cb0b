// Loading and storing the camera's flash setting areas.
#include "operations/FlashAreas.h"

#include "framework/MessageBox.h"
#include "link/Command.h"
#include "tables/CommandTable.h"

#include <chrono>
#include <string>
#include <thread>

namespace {

bool IsArea(int area) { return area >= kFlashFactory && area <= kFlashUser3; }

const char* AreaName(int area)
{
    static const char* const names[] = {"Factory", "User 1", "User 2", "User 3"};
    return IsArea(area) ? names[area] : "?";
}

}  // namespace

FlashAreas::FlashAreas(Command& command, AreaChooser chooseArea, std::function<void()> refresh)
    : command_(command),
      chooseArea_(std::move(chooseArea)),
      refresh_(std::move(refresh)),
      pause_([](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); })
{
}

int FlashAreas::LoadSettings()
{
    int area = -1;
    if (!chooseArea_ || chooseArea_(true, area) != 1) return 0;
    // An entry the dialog does not know is no area: the camera is not asked to load it.
    if (!IsArea(area)) {
        ShowMessage("Selected invalid area !", {}, MessageButtons::Ok, MessageIcon::Stop);
        return 0;
    }
    if (command_.SendValue(cmd::LD, area, kLoadTimeoutMs) != 1) return 0;
    if (refresh_) refresh_();
    return 1;
}

int FlashAreas::Store(int area, int timeoutMs)
{
    if (area == kFlashFactory) return command_.SendValue(cmd::SA00, 0, timeoutMs);
    if (IsArea(area)) return command_.SendValue(cmd::SA, area, timeoutMs);
    return 0;
}

int FlashAreas::StoreSettings()
{
    int area = -1;
    if (!chooseArea_ || chooseArea_(false, area) != 1) return 0;
    if (!IsArea(area)) {
        ShowMessage("Selected invalid area !", {}, MessageButtons::Ok, MessageIcon::Stop);
        return 0;
    }
    if (Store(area, kStoreTimeoutMs) != 1) return 0;
    ShowMessage("Completed saving current setting data !", {}, MessageButtons::Ok, MessageIcon::Information);
    return 1;
}

int FlashAreas::StoreAll()
{
    if (ShowMessage("Are you sure you want to overwrite into all EEPROM areas?", {}, MessageButtons::YesNo,
                    MessageIcon::Question) != MessageResult::Yes) {
        return 0;
    }
    streak_.Reset();
    int failures = 0;
    std::string notStored;
    bool gone = false;
    for (int area : {kFlashUser1, kFlashUser2, kFlashUser3, kFlashFactory}) {
        if (gone) {
            notStored += std::string(notStored.empty() ? "" : ", ") + AreaName(area);
            continue;
        }
        if (pause_) pause_(kStoreAllPauseMs);
        // Every area is tried whatever the earlier ones gave, unless the camera is gone.
        if (!streak_.Run(kStoreAllTimeoutMs, [&] { return Store(area, kStoreAllTimeoutMs); })) {
            ++failures;
            notStored += std::string(notStored.empty() ? "" : ", ") + AreaName(area);
            gone = streak_.CameraGone();
        }
    }
    if (failures == 0) {
        ShowMessage("Completed to store current setting data!", {}, MessageButtons::Ok, MessageIcon::Information);
        return 1;
    }
    std::string text = "Couldn't store current setting data!";
    if (gone) text += "\nThe camera stopped answering; not stored: " + notStored + ".";
    ShowMessage(text, {}, MessageButtons::Ok, MessageIcon::Exclamation);
    return 0;
}
