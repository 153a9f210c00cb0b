// The generic page-control layer.
#include "pages/PageControls.h"

#include "framework/qt/CRadioButton.h"
#include "framework/qt/CSpinButton.h"
#include "framework/qt/ControlWindow.h"
#include "pages/CTabSheetDialog.h"
#include "tables/ComboCatalog.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>

#include <algorithm>
#include <limits>
#include <vector>

namespace {

std::vector<CTabSheetDialog*>& Pages()
{
    static std::vector<CTabSheetDialog*> pages;
    return pages;
}

QPointer<QWidget>& MainWindow()
{
    static QPointer<QWidget> window;
    return window;
}

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

int ComboValue(const QComboBox* combo)
{
    const int index = combo->currentIndex();
    if (index < 0) return -1;
    const int data = combo->itemData(index).toInt();
    return data != 0 ? data : index;
}

void ShowComboValue(QComboBox* combo, int value)
{
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemData(i).toInt() == value) {
            combo->setCurrentIndex(i);
            return;
        }
    }
    combo->setCurrentIndex(value >= 0 && value < combo->count() ? value : -1);
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

int ControlClass(const QWidget* window)
{
    switch (GetWindowClass(window)) {
        case WindowClass::Edit:
            return kClassEdit;
        case WindowClass::UpDown:
            return kClassUpDown;
        case WindowClass::ComboBox:
            return kClassComboBox;
        case WindowClass::Button:
            switch (GetButtonStyle(window)) {
                case ButtonStyle::PushButton:
                case ButtonStyle::DefaultPushButton:
                    return kClassPushButton;
                case ButtonStyle::CheckBox:
                    return kClassCheckBox;
                case ButtonStyle::RadioButton:
                    return kClassRadioButton;
                default:
                    return kClassButtonOther;
            }
        case WindowClass::Other:
            break;
    }
    return kClassOther;
}

void RegisterPage(CTabSheetDialog* page)
{
    if (page && std::find(Pages().begin(), Pages().end(), page) == Pages().end()) Pages().push_back(page);
}

void UnregisterPage(CTabSheetDialog* page) { std::erase(Pages(), page); }

void SetMainWindow(QWidget* mainWindow) { MainWindow() = mainWindow; }

QWidget* FindPageControl(int controlId)
{
    for (CTabSheetDialog* page : Pages()) {
        if (QWidget* control = page->Control(controlId)) return control;
    }
    if (QWidget* window = MainWindow()) return FindOwnControl(window, controlId);
    return nullptr;
}

int ParseLeadingInt(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    constexpr long long kLimit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min(value * 10 + (text[i] - '0'), kLimit);
    }
    if (negative) value = -value;
    return static_cast<int>(
        std::clamp<long long>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int ReadControlValue(int controlId)
{
    QWidget* control = FindPageControl(controlId);
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

int ShowValue(int controlId, int value)
{
    QWidget* control = FindPageControl(controlId);
    if (!control) return 0;
    switch (ControlClass(control)) {
        case kClassEdit:
            static_cast<QLineEdit*>(control)->setText(QString::asprintf("%d", value));
            return 1;
        case kClassUpDown: {
            auto* spin = static_cast<CSpinButton*>(control);
            spin->SetPos32(value);
            if (spin->GetBuddy()) spin->GetBuddy()->setText(QString::asprintf("%d", value));
            return 1;
        }
        case kClassComboBox:
            ShowComboValue(static_cast<QComboBox*>(control), value);
            return 1;
        case kClassCheckBox:
            if (value != 0 && value != 1) return 0;
            static_cast<QCheckBox*>(control)->setChecked(value == 1);
            return 1;
        case kClassRadioButton: {
            const std::vector<QRadioButton*> group = GroupFrom(control);
            for (std::size_t i = 0; i < group.size(); ++i) {
                group[i]->setChecked(value >= 0 && static_cast<std::size_t>(value) == i);
            }
            return 1;
        }
        default:
            return 0;
    }
}

int ShowPageControl(int controlId, bool show)
{
    for (CTabSheetDialog* page : Pages()) {
        if (page->Control(controlId)) return page->ShowControl(controlId, show);
    }
    QWidget* control = FindPageControl(controlId);
    if (!control) return 0;
    control->setVisible(show);
    return 1;
}

void SetSpinRanges(const ControlTable& table)
{
    for (int row = 0; table.Row(row).controlId != -1; ++row) {
        const ControlEntry& entry = table.Row(row);
        if (entry.controlKind != kKindEdit) continue;
        QWidget* edit = FindPageControl(entry.controlId);
        if (!edit) continue;
        const int spinId = static_cast<int>(GetUserData(edit));
        auto* spin = qobject_cast<CSpinButton*>(spinId != 0 ? FindPageControl(spinId) : nullptr);
        if (!spin) continue;
        long long minimum = entry.minimum;
        long long maximum = entry.maximum;
        if (entry.spinMargin == 1) {
            --minimum;
            ++maximum;
        }
        // A margin at the ends of the 32-bit range cannot widen it further.
        constexpr long long kMin = std::numeric_limits<int>::min();
        constexpr long long kMax = std::numeric_limits<int>::max();
        spin->SetRange32(static_cast<int>(std::clamp(minimum, kMin, kMax)),
                         static_cast<int>(std::clamp(maximum, kMin, kMax)));
    }
}

void InitComboItemData()
{
    for (const ComboList& list : AllComboLists()) {
        if (list.codes.empty()) continue;
        const int controlId = ControlIdOfCommand(list.commandIndex);
        auto* combo = qobject_cast<QComboBox*>(controlId > 0 ? FindPageControl(controlId) : nullptr);
        if (!combo) continue;
        const int count = std::min(combo->count(), static_cast<int>(list.codes.size()));
        for (int i = 0; i < count; ++i) combo->setItemData(i, list.codes[static_cast<std::size_t>(i)]);
    }
}

void ApplyModelVariants(int modelCode)
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
        auto* combo = qobject_cast<QComboBox*>(controlId > 0 ? FindPageControl(controlId) : nullptr);
        if (!combo) continue;
        const ComboList list = ComboListForModel(command, model);
        // Entries come and go around the selection; the selected entry stays selected by its text.
        const QString selected = combo->currentIndex() >= 0 ? combo->currentText() : QString();
        const QSignalBlocker blocker(combo);
        combo->clear();
        for (std::size_t i = 0; i < list.entries.size(); ++i) {
            const int code = i < list.codes.size() ? list.codes[i] : 0;
            combo->addItem(QString::fromStdString(list.entries[i]), code);
        }
        combo->setCurrentIndex(selected.isEmpty() ? -1 : combo->findText(selected, Qt::MatchExactly));
    }
}
