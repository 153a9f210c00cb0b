// The page binding.
#include "pages/PageBinding.h"

#include "framework/qt/CRadioButton.h"
#include "framework/qt/CSpinButton.h"
#include "framework/qt/ControlWindow.h"
#include "pages/CTabSheetDialog.h"
#include "pages/PageControls.h"
#include "tables/ComboCatalog.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <limits>

namespace {

// Marks the entry a combo box adds for a code it has no entry of; its item data is the code.
constexpr int kUnknownRole = Qt::UserRole + 1;

// A control of the main window itself: its descendants, but not those inside another window (the
// pages and dialogs it owns answer for their own controls).
QWidget* FindOwnControl(QWidget* window, int controlId)
{
    for (QObject* child : window->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isWindow() || qobject_cast<CTabSheetDialog*>(widget)) continue;
        if (GetControlId(widget) == controlId) return widget;
        if (QWidget* found = FindOwnControl(widget, controlId)) return found;
    }
    return nullptr;
}

// The control bound to a command, without the table's not-found message. The bindings are fixed, so the
// built-in rows serve.
int ControlIdOfCommand(int commandIndex)
{
    for (const ControlEntry& entry : ControlTable::Defaults()) {
        if (entry.controlId != -1 && entry.commandIndex == commandIndex) return entry.controlId;
    }
    return -1;
}

bool IsUnknownEntry(const QComboBox* combo, int index) { return combo->itemData(index, kUnknownRole).toBool(); }

int ComboValue(const QComboBox* combo)
{
    const int index = combo->currentIndex();
    if (index < 0) return -1;
    const int data = combo->itemData(index).toInt();
    return data != 0 || IsUnknownEntry(combo, index) ? data : index;
}

void DropUnknownEntry(QComboBox* combo)
{
    const QSignalBlocker blocker(combo);
    for (int i = combo->count() - 1; i >= 0; --i) {
        if (IsUnknownEntry(combo, i)) combo->removeItem(i);
    }
}

void ShowComboValue(QComboBox* combo, int value)
{
    DropUnknownEntry(combo);
    bool hasCodes = false;
    for (int i = 0; i < combo->count(); ++i) {
        const int code = combo->itemData(i).toInt();
        if (code == value) {
            combo->setCurrentIndex(i);
            return;
        }
        hasCodes = hasCodes || code != 0;
    }
    // A list without codes is indexed by the value itself.
    if (!hasCodes && value >= 0 && value < combo->count()) {
        combo->setCurrentIndex(value);
        return;
    }
    // A code the list has no entry for (a newer firmware's, or another model's): the number is shown and
    // kept, never replaced by whatever entry stands at that position.
    const QSignalBlocker blocker(combo);
    combo->addItem(QStringLiteral("%1 (unknown)").arg(value), value);
    combo->setItemData(combo->count() - 1, true, kUnknownRole);
    combo->setCurrentIndex(combo->count() - 1);
}

// The radio buttons of the group from `button` onward, as positions are counted from it.
std::vector<QRadioButton*> GroupFrom(QWidget* button)
{
    std::vector<QRadioButton*> group = CRadioButton::GroupOf(button);
    auto self = std::find(group.begin(), group.end(), button);
    group.erase(group.begin(), self);
    return group;
}

}  // namespace

void PageBinding::AddPage(CTabSheetDialog& page)
{
    if (std::find(pages_.begin(), pages_.end(), &page) == pages_.end()) pages_.emplace_back(&page);
}

void PageBinding::SetMainWindow(QWidget* window) { mainWindow_ = window; }

QWidget* PageBinding::Control(int controlId) const
{
    for (const QPointer<CTabSheetDialog>& page : pages_) {
        if (!page) continue;
        if (QWidget* control = page->Control(controlId)) return control;
    }
    if (QWidget* window = mainWindow_) return FindOwnControl(window, controlId);
    return nullptr;
}

CTabSheetDialog* PageBinding::PageOf(int controlId) const
{
    for (const QPointer<CTabSheetDialog>& page : pages_) {
        if (page && page->Control(controlId)) return page;
    }
    return nullptr;
}

int PageBinding::Value(int controlId) const
{
    QWidget* control = Control(controlId);
    if (!control) return -1;
    switch (ControlClass(control)) {
        case kClassEdit:
            return ParseLeadingInt(static_cast<QLineEdit*>(control)->text().toStdString());
        case kClassUpDown:
            return static_cast<CSpinButton*>(control)->GetPos32();
        case kClassComboBox:
            return ComboValue(static_cast<QComboBox*>(control));
        case kClassCheckBox:
            return static_cast<QCheckBox*>(control)->isChecked() ? 1 : 0;
        case kClassRadioButton: {
            const std::vector<QRadioButton*> group = GroupFrom(control);
            for (std::size_t i = 0; i < group.size(); ++i) {
                if (group[i]->isChecked()) return static_cast<int>(i);
            }
            return -1;
        }
        default:
            return -1;
    }
}

bool PageBinding::ShowValue(int controlId, int value)
{
    QWidget* control = Control(controlId);
    if (!control) return false;
    switch (ControlClass(control)) {
        case kClassEdit:
            static_cast<QLineEdit*>(control)->setText(QString::asprintf("%d", value));
            return true;
        case kClassUpDown: {
            auto* spin = static_cast<CSpinButton*>(control);
            spin->SetPos32(value);
            if (spin->GetBuddy()) spin->GetBuddy()->setText(QString::asprintf("%d", value));
            return true;
        }
        case kClassComboBox:
            ShowComboValue(static_cast<QComboBox*>(control), value);
            return true;
        case kClassCheckBox:
            if (value != 0 && value != 1) return false;
            static_cast<QCheckBox*>(control)->setChecked(value == 1);
            return true;
        case kClassRadioButton: {
            const std::vector<QRadioButton*> group = GroupFrom(control);
            for (std::size_t i = 0; i < group.size(); ++i) {
                group[i]->setChecked(value >= 0 && static_cast<std::size_t>(value) == i);
            }
            return true;
        }
        default:
            return false;
    }
}

void PageBinding::ShowEditValue(int editId, int value)
{
    if (auto* spin = static_cast<CSpinButton*>(SpinOfEdit(editId))) spin->SetPos32(value);
    if (auto* edit = qobject_cast<QLineEdit*>(Control(editId))) edit->setText(QString::asprintf("%d", value));
}

int PageBinding::Selection(int comboId) const
{
    auto* combo = qobject_cast<QComboBox*>(Control(comboId));
    if (!combo || combo->currentIndex() < 0 || IsUnknownEntry(combo, combo->currentIndex())) return -1;
    return combo->currentIndex();
}

void PageBinding::Select(int comboId, int position)
{
    auto* combo = qobject_cast<QComboBox*>(Control(comboId));
    if (!combo) return;
    DropUnknownEntry(combo);
    combo->setCurrentIndex(position >= 0 && position < combo->count() ? position : -1);
}

std::string PageBinding::Text(int controlId) const
{
    QWidget* control = Control(controlId);
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text().toStdString();
    if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text().toStdString();
    return {};
}

void PageBinding::SetText(int controlId, std::string_view text)
{
    QWidget* control = Control(controlId);
    const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(shown);
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(shown);
    }
}

QWidget* PageBinding::SpinOfEdit(int editId) const
{
    QWidget* edit = Control(editId);
    const int spinId = edit && ControlClass(edit) == kClassEdit ? static_cast<int>(GetUserData(edit)) : 0;
    return spinId != 0 ? qobject_cast<CSpinButton*>(Control(spinId)) : nullptr;
}

void PageBinding::Enable(int controlId, bool enable)
{
    QWidget* control = Control(controlId);
    if (!control) return;
    control->setEnabled(enable);
    // A spin beside a disabled edit would still send its steps.
    if (QWidget* spin = SpinOfEdit(controlId)) spin->setEnabled(enable);
}

bool PageBinding::IsEnabled(int controlId) const
{
    QWidget* control = Control(controlId);
    return control && control->isEnabled();
}

bool PageBinding::ShowControl(int controlId, bool show)
{
    if (CTabSheetDialog* page = PageOf(controlId)) return page->ShowControl(controlId, show) != 0;
    QWidget* control = Control(controlId);
    if (!control) return false;
    control->setVisible(show);
    return true;
}

void PageBinding::Repaint(int controlId)
{
    if (QWidget* control = Control(controlId)) control->window()->update();
}

bool PageBinding::SpinRange(int editId, int& minimum, int& maximum) const
{
    auto* spin = static_cast<CSpinButton*>(SpinOfEdit(editId));
    if (!spin) return false;
    spin->GetRange32(minimum, maximum);
    return true;
}

void PageBinding::SetSpinRange(int editId, int minimum, int maximum)
{
    if (auto* spin = static_cast<CSpinButton*>(SpinOfEdit(editId))) spin->SetRange32(minimum, maximum);
}

int PageBinding::SpinValue(int editId) const
{
    auto* spin = static_cast<CSpinButton*>(SpinOfEdit(editId));
    return spin ? spin->GetPos32() : 0;
}

int PageBinding::EditOfSpin(int spinId) const
{
    auto* spin = qobject_cast<CSpinButton*>(Control(spinId));
    return spin && spin->GetBuddy() ? GetControlId(spin->GetBuddy()) : 0;
}

void PageBinding::SetSpinRanges(const ControlTable& table)
{
    for (int row = 0; table.Row(row).controlId != -1; ++row) {
        const ControlEntry& entry = table.Row(row);
        if (entry.controlKind != kKindEdit) continue;
        long long minimum = entry.minimum;
        long long maximum = entry.maximum;
        if (entry.spinMargin == 1) {
            --minimum;
            ++maximum;
        }
        // A margin at the ends of the 32-bit range cannot widen it further.
        constexpr long long kMin = std::numeric_limits<int>::min();
        constexpr long long kMax = std::numeric_limits<int>::max();
        SetSpinRange(entry.controlId, static_cast<int>(std::clamp(minimum, kMin, kMax)),
                     static_cast<int>(std::clamp(maximum, kMin, kMax)));
    }
}

void PageBinding::InitComboItemData()
{
    for (const ComboList& list : AllComboLists()) {
        if (list.codes.empty()) continue;
        const int controlId = ControlIdOfCommand(list.commandIndex);
        auto* combo = qobject_cast<QComboBox*>(controlId > 0 ? Control(controlId) : nullptr);
        if (!combo) continue;
        const int count = std::min(combo->count(), static_cast<int>(list.codes.size()));
        for (int i = 0; i < count; ++i) combo->setItemData(i, list.codes[static_cast<std::size_t>(i)]);
    }
}

void PageBinding::ApplyModelVariants(int modelCode)
{
    std::string_view model;
    if (modelCode == 0)
        model = kModelB1;
    else if (modelCode == 1)
        model = kModelA1;
    else
        return;
    for (int command : {cmd::ETM, cmd::CLCF, cmd::AWB}) {
        const int controlId = ControlIdOfCommand(command);
        auto* combo = qobject_cast<QComboBox*>(controlId > 0 ? Control(controlId) : nullptr);
        if (!combo) continue;
        const ComboList list = ComboListForModel(command, model);
        // Entries come and go around the selection; the selected entry stays selected by its text.
        const QString selected = combo->currentIndex() >= 0 ? combo->currentText() : QString();
        const bool unknown = combo->currentIndex() >= 0 && IsUnknownEntry(combo, combo->currentIndex());
        const int unknownCode = ComboValue(combo);
        const QSignalBlocker blocker(combo);
        combo->clear();
        for (std::size_t i = 0; i < list.entries.size(); ++i) {
            const int code = i < list.codes.size() ? list.codes[i] : 0;
            combo->addItem(QString::fromStdString(list.entries[i]), code);
        }
        if (unknown)
            ShowComboValue(combo, unknownCode);  // the new model may have an entry for it
        else
            combo->setCurrentIndex(selected.isEmpty() ? -1 : combo->findText(selected, Qt::MatchExactly));
    }
}
