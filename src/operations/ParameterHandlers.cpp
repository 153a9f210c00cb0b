// The generic parameter handlers.
#include "operations/ParameterHandlers.h"

#include "base/StrFormat.h"
#include "framework/MessageBox.h"
#include "operations/OperationGate.h"
#include "pages/PageBinding.h"
#include "tables/ControlIds.h"
#include "tables/ControlTable.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace {

constexpr int kLutEdits[] = {ctl::kLutIndexG, ctl::kLutIndexR, ctl::kLutIndexB,
                             ctl::kLutDataG,  ctl::kLutDataR,  ctl::kLutDataB};

// A whole decimal number (optional sign, digits, nothing else); an empty text counts as 0.
bool ParseWholeNumber(const std::string& text, long long& value)
{
    if (text.empty()) {
        value = 0;
        return true;
    }
    const char* first = text.data();
    const char* last = first + text.size();
    if (*first == '+') ++first;
    if (first == last) return false;
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last;
}

}  // namespace

ParameterHandlers::ParameterHandlers(ValueSender& sender, ControlTable& table, PageBinding& pages, OperatorHosts hosts)
    : sender_(sender), table_(table), pages_(pages), hosts_(hosts)
{
}

bool ParameterHandlers::IsLutEdit(int controlId)
{
    return std::find(std::begin(kLutEdits), std::end(kLutEdits), controlId) != std::end(kLutEdits);
}

bool ParameterHandlers::HasRow(int controlId) const
{
    // Scanned here rather than asked of the table, whose lookups complain about ids they do not know:
    // controls without a row (the Tilted View group, for one) are simply not parameters.
    for (int row = 0; table_.Row(row).controlId != -1; ++row) {
        if (table_.Row(row).controlId == controlId) return true;
    }
    return false;
}

void ParameterHandlers::ShowChangedValues()
{
    for (int row = 0; table_.Row(row).controlId != -1; ++row) {
        const ControlEntry& entry = table_.Row(row);
        if (entry.value != entry.shadow) pages_.ShowValue(entry.controlId, entry.value);
    }
}

int ParameterHandlers::UpdateValue(int controlId, int value)
{
    if (!HasRow(controlId)) return 0;
    table_.SetDataValue(controlId, value);
    const RequestOutcome sent = table_.WriteChangedValues(sender_);
    if (sent) {
        table_.CommitShadow();
        return 1;
    }
    // The camera still has the shadow value: the table and the page say so again.
    ShowCommunicationError(hosts_.messages, sent.FailureText());
    const int shadow = table_.GetShadowValue(controlId);
    table_.SetDataValue(controlId, shadow);
    pages_.ShowValue(controlId, shadow);
    return 0;
}

void ParameterHandlers::RunFollowUp(int editId)
{
    if (auto it = followUps_.find(editId); it != followUps_.end() && it->second) it->second();
}

void ParameterHandlers::RunGated(std::function<void()> event)
{
    if (gate_) {
        gate_->Run(std::move(event));
    } else {
        event();
    }
}

void ParameterHandlers::OnEditCommitted(int controlId)
{
    RunGated([this, controlId] { EditCommitted(controlId); });
}

void ParameterHandlers::OnComboChanged(int controlId)
{
    RunGated([this, controlId] { ComboChanged(controlId); });
}

void ParameterHandlers::OnButtonPressed(int controlId)
{
    RunGated([this, controlId] {
        if (auto it = buttons_.find(controlId); it != buttons_.end() && it->second) it->second();
    });
}

void ParameterHandlers::OnSpinStepped(int controlId, int position, int delta, bool& cancel)
{
    if (!gate_) {
        SpinStepped(controlId, position, delta, cancel);
        return;
    }
    // A step cannot wait: the spin would have moved meanwhile. It is refused and the spin stays.
    if (gate_->Busy()) {
        cancel = true;
        return;
    }
    OperationGate::Hold hold(*gate_);
    SpinStepped(controlId, position, delta, cancel);
}

void ParameterHandlers::EditCommitted(int controlId)
{
    int minimum = 0;
    int maximum = 0;
    if (!pages_.SpinRange(controlId, minimum, maximum)) return;

    long long typed = 0;
    std::string text = pages_.Text(controlId);
    text.erase(0, text.find_first_not_of(" \t"));
    text.erase(text.find_last_not_of(" \t") + 1);
    const bool valid = ParseWholeNumber(text, typed) && typed >= minimum && typed <= maximum;
    // A text that is no number of the range leaves the value the edit showed before the typing; for a
    // parameter that is the table's value (the spin itself only follows its edit when it is turned).
    const bool hasRow = HasRow(controlId);
    int value = valid ? static_cast<int>(typed) : hasRow ? table_.GetDataValue(controlId) : pages_.SpinValue(controlId);
    if (hasRow && table_.GetSpinMargin(controlId) == 1 && maximum - minimum >= 2) {
        value = std::clamp(value, minimum + 1, maximum - 1);
    }
    pages_.ShowEditValue(controlId, value);
    if (IsLutEdit(controlId) || !hasRow) return;

    UpdateValue(controlId, value);
    RunFollowUp(controlId);
    // What the camera holds: the value written, the shadow after a refusal, or what a read-back brought.
    pages_.ShowEditValue(controlId, table_.GetDataValue(controlId));
}

void ParameterHandlers::SpinStepped(int controlId, int position, int delta, bool& cancel)
{
    const int editId = pages_.EditOfSpin(controlId);
    int minimum = 0;
    int maximum = 0;
    if (editId == 0 || !pages_.SpinRange(editId, minimum, maximum)) return;
    const int value = static_cast<int>(std::clamp(static_cast<long long>(position) + delta,
                                                  static_cast<long long>(minimum), static_cast<long long>(maximum)));
    if (IsLutEdit(editId)) return;
    if (!HasRow(editId)) {
        RunFollowUp(editId);
        return;
    }
    // The spin does not move by the step itself: it shows what the camera took (a camera that keeps
    // multiples of 8 turns 4095 into 4088), or stays where it was after a refusal.
    cancel = true;
    UpdateValue(editId, value);
    RunFollowUp(editId);
    pages_.ShowEditValue(editId, table_.GetDataValue(editId));
}

void ParameterHandlers::RunHook(const std::map<int, std::function<void()>>& hooks, int controlId)
{
    if (auto it = hooks.find(controlId); it != hooks.end() && it->second) it->second();
}

void ParameterHandlers::ComboChanged(int controlId)
{
    if (controlId == ctl::kCameraModelCombo) return;
    if (auto it = comboInstead_.find(controlId); it != comboInstead_.end() && it->second) {
        it->second();
        return;
    }
    RunHook(comboBefore_, controlId);
    if (!HasRow(controlId)) {
        RunHook(comboAfter_, controlId);
        return;
    }
    table_.SetDataValue(controlId, pages_.Value(controlId));
    ShowChangedValues();
    if (!UpdateValue(controlId, table_.GetDataValue(controlId))) {
        // The combo shows the camera's value again; what the hook set before follows it back.
        RunHook(comboBefore_, controlId);
        return;
    }
    RunHook(comboAfter_, controlId);
}

void ParameterHandlers::ShowLineRate()
{
    if (!HasRow(ctl::kLineRate)) return;
    const double period = table_.GetDataValue(ctl::kLineRate);
    pages_.SetText(ctl::kLinePeriodStatic, StrFormat("%.2fus", period / 100.0));
    // A period of 0 has no frequency; the display says so instead of printing "inf".
    pages_.SetText(ctl::kLineFrequencyStatic, period > 0 ? StrFormat("%.4fhz", 1.0 / (period / 100000000.0)) : "---");
}

void ParameterHandlers::SetComboHook(int controlId, HookTime when, std::function<void()> action)
{
    switch (when) {
        case HookTime::Instead:
            comboInstead_[controlId] = std::move(action);
            break;
        case HookTime::Before:
            comboBefore_[controlId] = std::move(action);
            break;
        case HookTime::After:
            comboAfter_[controlId] = std::move(action);
            break;
    }
}

void ParameterHandlers::SetFollowUp(int editId, std::function<void()> action)
{
    followUps_[editId] = std::move(action);
}

void ParameterHandlers::SetButtonAction(int controlId, std::function<void()> action)
{
    buttons_[controlId] = std::move(action);
}
