// A parameter page.
#include "pages/CTabSheetDialog.h"

#include "framework/qt/CSpinButton.h"
#include "framework/qt/ControlWindow.h"
#include "pages/CParameterDispatcher.h"
#include "pages/PageBuilder.h"
#include "resources/PageLayouts.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

namespace {

// Hidden on purpose, as opposed to not shown yet because the page itself was never shown.
bool IsExplicitlyHidden(const QWidget* widget)
{
    return widget->testAttribute(Qt::WA_WState_Hidden) && widget->testAttribute(Qt::WA_WState_ExplicitShowHide);
}

bool AnyShown(const std::vector<QPointer<QWidget>>& controls)
{
    return std::any_of(controls.begin(), controls.end(),
                       [](const QPointer<QWidget>& control) { return control && !IsExplicitlyHidden(control); });
}

}  // namespace

CTabSheetDialog::CTabSheetDialog(QWidget* parent, int templateId, std::string caption, int factoryOnly)
    : QWidget(parent), templateId_(templateId), caption_(std::move(caption)), factoryOnly_(factoryOnly)
{
}

CTabSheetDialog::~CTabSheetDialog() = default;

int CTabSheetDialog::Create(QWidget* tabParent)
{
    const PageLayout* layout = FindPageLayout(templateId_);
    if (!layout || created_) return 0;
    if (tabParent) setParent(tabParent);
    PageBuilder::Build(*layout, *this);
    created_ = true;
    OnInitDialog();
    return 1;
}

void CTabSheetDialog::OnInitDialog()
{
    for (CSpinButton* spin : findChildren<CSpinButton*>()) {
        if (QLineEdit* buddy = spin->GetBuddy()) SetUserData(buddy, GetControlId(spin));
    }
}

QWidget* CTabSheetDialog::Control(int controlId) const
{
    auto it = controls_.find(controlId);
    return it == controls_.end() ? nullptr : it->second.data();
}

void CTabSheetDialog::AddControl(int controlId, QWidget* control)
{
    SetControlId(control, controlId);
    // The first control with an id wins, as a dialog's own lookup finds the first.
    if (controlId != 0) controls_.emplace(controlId, control);
}

void CTabSheetDialog::TieRow(std::vector<QWidget*> companions, std::vector<QWidget*> controls)
{
    RowTie tie;
    for (QWidget* widget : companions) tie.companions.emplace_back(widget);
    for (QWidget* widget : controls) tie.controls.emplace_back(widget);
    rows_.push_back(std::move(tie));
}

void CTabSheetDialog::TieGroup(QGroupBox* group, std::vector<QWidget*> controls)
{
    GroupTie tie{group, {}};
    for (QWidget* widget : controls) tie.controls.emplace_back(widget);
    groups_.push_back(std::move(tie));
}

int CTabSheetDialog::ShowControl(int controlId, bool show)
{
    QWidget* control = Control(controlId);
    if (!control) return 0;
    const bool isCompanion = std::any_of(rows_.begin(), rows_.end(), [control](const RowTie& row) {
        return std::find(row.companions.begin(), row.companions.end(), control) != row.companions.end();
    });
    if (isCompanion) {
        std::erase(forcedHidden_, control);
        if (!show) forcedHidden_.emplace_back(control);
    } else {
        control->setVisible(show);
        if (QWidget* spin = Control(static_cast<int>(GetUserData(control))); spin && qobject_cast<CSpinButton*>(spin)) {
            spin->setVisible(show);
        }
    }
    UpdateCompanions();
    return 1;
}

void CTabSheetDialog::TieColumn(QWidget* column, std::vector<QWidget*> groups)
{
    RowTie tie;
    tie.companions.emplace_back(column);
    for (QWidget* group : groups) tie.controls.emplace_back(group);
    columns_.push_back(std::move(tie));
}

void CTabSheetDialog::UpdateCompanions()
{
    for (const RowTie& row : rows_) {
        const bool shown = AnyShown(row.controls);
        for (const QPointer<QWidget>& companion : row.companions) {
            if (!companion) continue;
            const bool forced = std::find(forcedHidden_.begin(), forcedHidden_.end(), companion) != forcedHidden_.end();
            companion->setVisible(shown && !forced);
        }
    }
    for (const GroupTie& tie : groups_) {
        if (tie.group && !tie.controls.empty()) tie.group->setVisible(AnyShown(tie.controls));
    }
    for (const RowTie& column : columns_) {
        if (column.companions.front() && !column.controls.empty()) {
            column.companions.front()->setVisible(AnyShown(column.controls));
        }
    }
}

void CTabSheetDialog::ConnectControl(QWidget* control)
{
    const int id = GetControlId(control);
    control->installEventFilter(this);
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        connect(combo, &QComboBox::activated, this, [this, combo, id] {
            Notify({NotifyCode::SelChange, id, combo, nullptr});
        });
    } else if (auto* spin = qobject_cast<CSpinButton*>(control)) {
        spin->SetStepHandler([this, id](CSpinButton& sender, SpinStep& step) {
            Notify({NotifyCode::DeltaPos, id, &sender, &step});
        });
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        connect(button, &QAbstractButton::clicked, this, [this, button, id] {
            Notify({NotifyCode::Clicked, id, button, nullptr});
        });
    }
}

void CTabSheetDialog::Notify(const ControlNotification& notification)
{
    if (dispatcher_) dispatcher_->Dispatch(notification);
}

bool CTabSheetDialog::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    // Every change on a page is a camera command, some of them minutes long: the wheel never changes a
    // value, it scrolls the page. Left unaccepted, the event goes on to the parents, the scroll area's
    // among them. The keys of a focused control still work.
    if (event->type() == QEvent::Wheel && (qobject_cast<QComboBox*>(widget) || qobject_cast<CSpinButton*>(widget))) {
        event->ignore();
        return true;
    }
    if (widget && event->type() == QEvent::KeyPress && keyFilter_) {
        if (keyFilter_(widget, static_cast<QKeyEvent*>(event))) return true;
    }
    // Leaving an edit box is what commits it; a context menu of the edit itself is not leaving it.
    if (widget && event->type() == QEvent::FocusOut && qobject_cast<QLineEdit*>(widget)) {
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            Notify({NotifyCode::KillFocus, GetControlId(widget), widget, nullptr});
        }
    }
    return QWidget::eventFilter(watched, event);
}
