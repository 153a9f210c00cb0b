// The parameter dispatcher.
#include "pages/CParameterDispatcher.h"

#include "framework/MessageBox.h"
#include "framework/qt/CRadioButton.h"
#include "framework/qt/ControlWindow.h"
#include "pages/PageBinding.h"
#include "pages/PageControls.h"
#include "pages/ParameterEventHandler.h"
#include "tables/ControlTable.h"

CParameterDispatcher::CParameterDispatcher(ControlTable& table, ValueSender& sender, PageBinding& pages,
                                           OperatorHosts hosts, ParameterEventHandler* handler)
    : table_(table), sender_(sender), pages_(pages), handler_(handler), hosts_(hosts)
{
}

ParameterEvent CParameterDispatcher::Classify(const ControlNotification& notification) const
{
    const int senderClass = ControlClass(notification.sender);
    switch (notification.code) {
        case NotifyCode::KillFocus:
            return senderClass == kClassEdit ? ParameterEvent::EditCommitted : ParameterEvent::None;
        case NotifyCode::SelChange:
            return senderClass == kClassComboBox ? ParameterEvent::ComboChanged : ParameterEvent::None;
        case NotifyCode::DeltaPos:
            return senderClass == kClassUpDown && notification.step ? ParameterEvent::SpinStepped
                                                                    : ParameterEvent::None;
        case NotifyCode::Clicked: {
            if (!notification.sender) return ParameterEvent::None;  // a menu command: the main window's own
            switch (ControlClass(pages_.Control(notification.controlId))) {
                case kClassCheckBox:
                    return ParameterEvent::CheckBoxClicked;
                case kClassPushButton:
                    return ParameterEvent::ButtonPressed;
                case kClassRadioButton:
                    return ParameterEvent::RadioClicked;
                default:
                    return ParameterEvent::None;
            }
        }
        case NotifyCode::Other:
            break;
    }
    return ParameterEvent::None;
}

int CParameterDispatcher::Dispatch(const ControlNotification& notification)
{
    const int id = notification.controlId;
    switch (Classify(notification)) {
        case ParameterEvent::EditCommitted:
            if (handler_) handler_->OnEditCommitted(id);
            break;
        case ParameterEvent::ComboChanged:
            if (handler_) handler_->OnComboChanged(id);
            break;
        case ParameterEvent::SpinStepped:
            if (handler_)
                handler_->OnSpinStepped(id, notification.step->position, notification.step->delta,
                                        notification.step->cancel);
            break;
        case ParameterEvent::ButtonPressed:
            if (handler_) handler_->OnButtonPressed(id);
            break;
        case ParameterEvent::CheckBoxClicked:
            CheckBoxClicked(id);
            break;
        case ParameterEvent::RadioClicked:
            RadioClicked(id);
            break;
        case ParameterEvent::None:
            break;
    }
    return 0;
}

void CParameterDispatcher::StoreAndSend(int controlId, int value)
{
    ControlTable& table = table_;
    if (!table.SetDataValue(controlId, value)) return;
    const RequestOutcome sent = table.WriteChangedValues(sender_);
    if (sent) {
        table.CommitShadow();
        return;
    }
    // The camera did not take the value: the row and the control go back to what the camera has, so
    // the table never claims a value that was not sent.
    ShowCommunicationError(hosts_.messages, sent.FailureText());
    const int shadow = table.GetShadowValue(controlId);
    table.SetDataValue(controlId, shadow);
    pages_.ShowValue(controlId, shadow);
}

void CParameterDispatcher::CheckBoxClicked(int controlId) { StoreAndSend(controlId, pages_.Value(controlId)); }

void CParameterDispatcher::RadioClicked(int controlId)
{
    // The group's value lives under the id of the button that starts the group.
    QWidget* clicked = pages_.Control(controlId);
    QRadioButton* start = CRadioButton::GroupStartOf(clicked);
    if (!start) return;
    const std::vector<QRadioButton*> group = CRadioButton::GroupOf(start);
    int position = 0;
    while (position < static_cast<int>(group.size()) && group[static_cast<std::size_t>(position)] != clicked)
        ++position;
    if (position == static_cast<int>(group.size())) return;
    StoreAndSend(GetControlId(start), position);
}
