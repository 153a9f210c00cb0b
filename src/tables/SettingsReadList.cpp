// The rows of the read of all settings.
#include "tables/SettingsReadList.h"

#include "tables/CameraModelInfo.h"
#include "tables/ControlTable.h"

#include <algorithm>
#include <array>

namespace {

// The LUT index and data rows: the LUT buttons read them on demand, a whole table at a time.
constexpr std::array kLutRows = {1160, 1421, 1425, 1162, 1423, 1427};

}  // namespace

bool SettingsReadList::IsInReadList(int controlId)
{
    if (std::find(kLutRows.begin(), kLutRows.end(), controlId) != kLutRows.end()) return false;
    for (const ControlEntry& entry : ControlTable::Defaults()) {
        if (entry.controlId == -1) break;
        if (entry.controlId == controlId) return entry.controlKind != kKindButton;
    }
    return false;
}

bool SettingsReadList::ShouldRead(const ControlEntry& entry, const CameraModelInfo& model, bool factoryMode)
{
    if (entry.commandIndex == -1) return false;
    if (!model.IsKnown()) return false;
    if (!IsInReadList(entry.controlId)) return false;
    if (entry.group == kGroupFactory && !factoryMode) return false;
    if (entry.controlKind == kKindButton) return false;
    return model.Supports(entry.commandIndex) == 1;
}
