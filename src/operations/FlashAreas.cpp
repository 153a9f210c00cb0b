// Loading and storing the camera's flash setting areas.
#include "operations/FlashAreas.h"

#include "framework/MessageBox.h"
#include "link/BulkTally.h"
#include "link/Command.h"
#include "tables/CommandTable.h"

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

bool IsArea(int area) { return area >= kFlashFactory && area <= kFlashUser3; }

}  // namespace

const char* FlashAreaName(int area)
{
    static const char* const names[] = {"Factory", "User 1", "User 2", "User 3"};
    return IsArea(area) ? names[area] : "?";
}

FlashAreas::FlashAreas(Command& command, AreaChooser chooseArea, std::function<void()> refresh, OperatorHosts hosts)
    : command_(command),
      chooseArea_(std::move(chooseArea)),
      refresh_(std::move(refresh)),
      pause_([](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }),
      hosts_(hosts)
{
}

int FlashAreas::ChooseArea(bool load, int& area)
{
    area = -1;
    if (!chooseArea_ || chooseArea_(load, area) != 1) return 0;
    // An entry the dialog does not know is no area: the camera is not asked to load or store it.
    if (!IsArea(area)) {
        ShowMessage(hosts_.messages, "Selected invalid area !", {}, MessageButtons::Ok, MessageIcon::Stop);
        return 0;
    }
    return 1;
}

int FlashAreas::LoadSettings()
{
    int area = -1;
    return ChooseArea(true, area) == 1 ? LoadArea(area) : 0;
}

int FlashAreas::LoadArea(int area)
{
    const RequestOutcome loaded = command_.Set(cmd::LD, area, kLoadTimeoutMs);
    ShowCommunicationError(hosts_.messages, loaded.FailureText());
    if (!loaded) return 0;
    if (refresh_) refresh_();
    return 1;
}

RequestOutcome FlashAreas::Store(int area, int timeoutMs)
{
    if (area == kFlashFactory) return command_.Set(cmd::SA00, 0, timeoutMs);
    if (IsArea(area)) return command_.Set(cmd::SA, area, timeoutMs);
    return {};
}

int FlashAreas::StoreSettings()
{
    int area = -1;
    return ChooseArea(false, area) == 1 ? StoreArea(area, kStoreTimeoutMs, kSavedText) : 0;
}

int FlashAreas::StoreArea(int area, int timeoutMs, std::string_view done)
{
    const RequestOutcome stored = Store(area, timeoutMs);
    ShowCommunicationError(hosts_.messages, stored.FailureText());
    if (!stored) return 0;
    ShowMessage(hosts_.messages, done, {}, MessageButtons::Ok, MessageIcon::Information);
    return 1;
}

int FlashAreas::StoreAll()
{
    if (ShowMessage(hosts_.messages, "Are you sure you want to overwrite into all EEPROM areas?", {}, MessageButtons::YesNo,
                    MessageIcon::Question) != MessageResult::Yes) {
        return 0;
    }
    BulkTally tally;
    std::vector<std::string> notStored;
    for (int area : {kFlashUser1, kFlashUser2, kFlashUser3, kFlashFactory}) {
        if (tally.CameraGone()) {
            tally.AddNotSent(1, FlashAreaName(area));
            notStored.push_back(FlashAreaName(area));
            continue;
        }
        if (pause_) pause_(kStoreAllPauseMs);
        // Every area is tried whatever the earlier ones gave, unless the camera is gone.
        if (!tally.Add(Store(area, kStoreAllTimeoutMs), FlashAreaName(area))) notStored.push_back(FlashAreaName(area));
    }
    const int failures = tally.Failed();
    if (failures == 0) {
        ShowMessage(hosts_.messages, kStoredText, {}, MessageButtons::Ok, MessageIcon::Information);
        return 1;
    }
    std::string text = "Couldn't store current setting data!";
    if (tally.CameraGone()) {
        text += "\nThe camera stopped answering; not stored: " +
                BulkTally::ListText(notStored, static_cast<int>(notStored.size())) + ".";
    } else {
        text += "\nNot stored: " + BulkTally::ListText(notStored, static_cast<int>(notStored.size())) + ".";
    }
    if (tally.Refused() > 0) text += "\nThe camera answered: " + tally.FirstRefusal();
    ShowMessage(hosts_.messages, text, {}, MessageButtons::Ok, MessageIcon::Exclamation);
    return 0;
}
