// The model check and the read of all settings, without pages to show them on.
#include "ctl/CtlCamera.h"

#include "framework/MessageBox.h"
#include "framework/ProgressSink.h"
#include "link/Command.h"
#include "settings/ControlMode.h"
#include "tables/CameraModelInfo.h"
#include "tables/ComboCatalog.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"
#include "tables/SettingsReadList.h"

#include <string>

CtlCamera::CtlCamera(Command& command, ControlTable& table, CameraModelInfo& model, ControlMode& mode,
                     RegistrySettings& settings)
    : command_(command), table_(table), model_(model), mode_(mode), settings_(settings)
{
}

int CtlCamera::ModelCheck()
{
    std::string answer;
    if (!command_.QueryText(cmd::MD, answer, kModelTimeoutMs)) return 0;
    if (answer == kModelB1) {
        model_.modelCode = kModelCodeB1;
    } else if (answer == kModelA1) {
        model_.modelCode = kModelCodeA1;
    } else {
        model_.modelCode = kModelCodeUnknown;
        ShowMessage("Unsupported model: \"" + answer + "\"", {}, MessageButtons::Ok, MessageIcon::Exclamation);
    }
    model_.modelName = answer;
    return 1;
}

CtlReadOutcome CtlCamera::ReadAll(ProgressSink* progress)
{
    CtlReadOutcome outcome;
    const bool factory = mode_.IsFactory();
    for (int row = 0; table_.Row(row).controlId != -1; ++row) {
        outcome.total += SettingsReadList::ShouldRead(table_.Row(row), model_, factory) ? 1 : 0;
    }
    if (progress) progress->Open("Now, reading camera settings.");
    int asked = 0;
    int timeoutsInRow = 0;
    for (int row = 0; table_.Row(row).controlId != -1 && !outcome.cameraGone; ++row) {
        const ControlEntry& entry = table_.Row(row);
        if (!SettingsReadList::ShouldRead(entry, model_, factory)) continue;
        int value = 0;
        if (command_.QueryValue(entry.commandIndex, value, kReadTimeoutMs)) {
            table_.SetDataValue(entry.controlId, value);
            ++outcome.read;
            timeoutsInRow = 0;
        } else if (command_.LastRequestTimedOut()) {
            outcome.cameraGone = ++timeoutsInRow >= 2;
        } else {
            timeoutsInRow = 0;
        }
        ++asked;
        if (progress) progress->SetPosition(outcome.total > 0 ? asked * 100 / outcome.total : 100);
    }
    if (progress) progress->Close();
    table_.CommitShadow();
    return outcome;
}
