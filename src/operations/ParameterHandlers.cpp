// The generic parameter handlers.
#include "operations/ParameterHandlers.h"

#include "framework/MessageBox.h"
#include "framework/qt/CSpinButton.h"
#include "framework/qt/ControlWindow.h"
#include "operations/OperationGate.h"
#include "pages/PageControls.h"
#include "tables/ControlTable.h"

#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <charconv>
#include <string>

namespace {

constexpr int kLutEdits[] = {1160, 1421, 1425, 1162, 1423, 1427};

// The spin an edit box carries in its user data; nullptr when the edit or its spin is missing.
CSpinButton* SpinOfEdit(QLineEdit* edit)
{
    const int spinId = edit ? static_cast<int>(GetUserData(edit)) : 0;
    return spinId != 0 ? qobject_cast<CSpinButton*>(FindPageControl(spinId)) : nullptr;
}

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

void SetLabelText(int controlId, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(FindPageControl(controlId))) label->setText(text);
}

}  // namespace

ParameterHandlers::ParameterHandlers(ValueSender& sender, ControlTable& table) : sender_(sender), table_(table) {}

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
        if (entry.value != entry.shadow) ShowValue(entry.controlId, entry.value);
    }
}

int ParameterHandlers::UpdateValue(int controlId, int value)
{
    if (!HasRow(controlId)) return 0;
    table_.SetDataValue(controlId, value);
    if (table_.WriteChangedValues(sender_)) {
        table_.CommitShadow();
        return 1;
    }
    // The camera still has the shadow value: the table and the page say so again.
    ShowCommunicationError(sender_.LastFailureText());
    const int shadow = table_.GetShadowValue(controlId);
    table_.SetDataValue(controlId, shadow);
    ShowValue(controlId, shadow);
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
    auto* edit = qobject_cast<QLineEdit*>(FindPageControl(controlId));
    CSpinButton* spin = SpinOfEdit(edit);
    if (!spin) return;

    int minimum = 0;
    int maximum = 0;
    spin->GetRange32(minimum, maximum);
    long long typed = 0;
    const bool valid =
        ParseWholeNumber(edit->text().trimmed().toStdString(), typed) && typed >= minimum && typed <= maximum;
    // A text that is no number of the range leaves the value the edit showed before the typing; for a
    // parameter that is the table's value (the spin itself only follows its edit when it is turned).
    const bool hasRow = HasRow(controlId);
    int value = valid ? static_cast<int>(typed) : hasRow ? table_.GetDataValue(controlId) : spin->GetPos32();
    if (hasRow && table_.GetSpinMargin(controlId) == 1 && maximum - minimum >= 2) {
        value = std::clamp(value, minimum + 1, maximum - 1);
    }
    spin->SetPos32(value);
    edit->setText(QString::asprintf("%d", value));
    if (IsLutEdit(controlId) || !hasRow) return;

    if (!UpdateValue(controlId, value)) spin->SetPos32(table_.GetDataValue(controlId));
    RunFollowUp(controlId);
}

void ParameterHandlers::SpinStepped(int controlId, int position, int delta, bool& cancel)
{
    auto* spin = qobject_cast<CSpinButton*>(FindPageControl(controlId));
    if (!spin) return;
    int minimum = 0;
    int maximum = 0;
    spin->GetRange32(minimum, maximum);
    const int value = static_cast<int>(std::clamp(static_cast<long long>(position) + delta,
                                                  static_cast<long long>(minimum), static_cast<long long>(maximum)));
    QLineEdit* edit = spin->GetBuddy();
    const int editId = GetControlId(edit);
    if (IsLutEdit(editId)) return;
    if (editId != 0 && HasRow(editId) && !UpdateValue(editId, value)) {
        // The spin stays at the value the camera has.
        spin->SetPos32(table_.GetShadowValue(editId));
        cancel = true;
    }
    RunFollowUp(editId);
}

void ParameterHandlers::ComboChanged(int controlId)
{
    if (controlId == kCameraModelCombo) return;
    if (auto it = comboInstead_.find(controlId); it != comboInstead_.end() && it->second) {
        it->second();
        return;
    }
    if (auto it = comboBefore_.find(controlId); it != comboBefore_.end() && it->second) it->second();
    if (HasRow(controlId)) {
        table_.SetDataValue(controlId, ReadControlValue(controlId));
        ShowChangedValues();
        if (table_.WriteChangedValues(sender_)) {
            table_.CommitShadow();
        } else {
            ShowCommunicationError(sender_.LastFailureText());
            const int shadow = table_.GetShadowValue(controlId);
            table_.SetDataValue(controlId, shadow);
            ShowValue(controlId, shadow);
        }
    }
    if (auto it = comboAfter_.find(controlId); it != comboAfter_.end() && it->second) it->second();
}

void ParameterHandlers::ShowLineRate()
{
    if (!HasRow(kLineRateEdit)) return;
    const double period = table_.GetDataValue(kLineRateEdit);
    SetLabelText(kLinePeriodStatic, QString::asprintf("%.2fus", period / 100.0));
    // A period of 0 has no frequency; the display says so instead of printing "inf".
    SetLabelText(kLineFrequencyStatic,
                 period > 0 ? QString::asprintf("%.4fhz", 1.0 / (period / 100000000.0)) : QStringLiteral("---"));
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
