// The model check, the read of all settings and a write with its read-back.
#include "link/CameraSession.h"

#include "base/StrFormat.h"
#include "link/Command.h"
#include "tables/CameraModelInfo.h"
#include "tables/ComboCatalog.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"
#include "tables/SettingsReadList.h"

CameraSession::CameraSession(Command& command, ControlTable& table, CameraModelInfo& model)
    : command_(command), table_(table), model_(model)
{
}

RequestOutcome CameraSession::CheckModel()
{
    const RequestOutcome outcome = command_.Ask(cmd::MD, kModelTimeoutMs);
    if (!outcome) return outcome;
    const std::string& answer = outcome.value.text;
    model_.modelCode = answer == kModelB1 ? kModelCodeB1 : answer == kModelA1 ? kModelCodeA1 : kModelCodeUnknown;
    model_.modelName = answer;
    return outcome;
}

std::string CameraSession::UnsupportedModelText() const
{
    if (model_.IsKnown() || model_.modelName.empty()) return {};
    return "Unsupported model: \"" + model_.modelName + "\"";
}

CameraSession::ReadAllResult CameraSession::ReadAll(bool factoryMode,
                                                    const std::function<void(int asked, int total)>& afterRow,
                                                    const RequestOutcome* modelCheck, const RequestOutcome* earlier)
{
    ReadAllResult result;
    if (earlier != nullptr) result.tally.Precede(*earlier);
    if (modelCheck != nullptr) result.tally.Precede(*modelCheck);
    if (modelCheck != nullptr && !*modelCheck) {
        result.modelRefused = modelCheck->Refused();
        result.modelFailure = modelCheck->Refused()
                                  ? "The camera refused the model query (MD): " + modelCheck->FailureText()
                                  : std::string("The camera did not answer the model query (MD).");
    }
    for (int row = 0; table_.Row(row).controlId != -1; ++row)
        result.total += SettingsReadList::ShouldRead(table_.Row(row), model_, factoryMode) ? 1 : 0;
    int asked = 0;
    for (int row = 0; table_.Row(row).controlId != -1; ++row) {
        const ControlEntry& entry = table_.Row(row);
        if (!SettingsReadList::ShouldRead(entry, model_, factoryMode)) continue;
        if (result.CameraGone()) {
            // Two silent rows in a row: the camera has gone, and each remaining row would cost a time-out.
            result.tally.AddNotSent(result.total - asked, CommandTable::Mnemonic(entry.commandIndex));
            break;
        }
        const RequestOutcome outcome = result.tally.Add(command_.Ask(entry.commandIndex, readTimeoutMs_),
                                                        CommandTable::Mnemonic(entry.commandIndex));
        // A row that fails keeps its value: the table never shows what the camera did not say.
        if (outcome) {
            table_.SetDataValue(entry.controlId, outcome.value.intValue);
            ++result.read;
        }
        ++asked;
        if (afterRow) afterRow(asked, result.total);
    }
    return result;
}

std::string CameraSession::ReadAllResult::Summary() const
{
    if (Complete()) return modelRefused ? modelFailure : std::string();
    std::string text = CameraGone()
                           ? StrFormat("The camera stopped answering: %d of %d settings were read.", read, total)
                           : StrFormat("Not every setting was read: %d of %d settings were read.", read, total);
    if (!modelFailure.empty()) text += "\n" + modelFailure;
    return text + tally.OutcomeLines("setting(s)");
}

RequestOutcome CameraSession::ReadOne(int controlId)
{
    const int commandIndex = table_.ToCmdId(controlId);
    if (commandIndex < 0 || !model_.Supports(commandIndex)) return {};
    RequestOutcome outcome = command_.Ask(commandIndex, readTimeoutMs_);
    if (outcome) table_.SetDataValue(controlId, outcome.value.intValue);
    return outcome;
}

CameraSession::WriteResult CameraSession::WriteAndReadBack(int commandIndex, int value)
{
    WriteResult result;
    result.write = command_.Set(commandIndex, value, readTimeoutMs_);
    // A camera that did not answer the write is not asked again: its silence is already known.
    if (result.write.Unanswered()) return result;
    result.readBack = command_.Ask(commandIndex, readTimeoutMs_);
    if (!result.readBack) return result;
    result.held = result.readBack.value.intValue;
    for (int row = 0; table_.Row(row).controlId != -1; ++row) {
        if (table_.Row(row).commandIndex == commandIndex) {
            table_.SetDataValue(table_.Row(row).controlId, result.held);
            break;
        }
    }
    return result;
}
