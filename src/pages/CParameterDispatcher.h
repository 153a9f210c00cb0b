// Turns every notification of a page control into one of the six parameter events and runs it.
#pragma once

#include "framework/OperatorHosts.h"

#include "framework/qt/CSpinButton.h"

class QWidget;
class ParameterEventHandler;
class ControlTable;
class PageBinding;
class ValueSender;

// What a control reports. Kill focus, selection change and click are the commands of a control;
// a spin step is a notification that carries the step record.
enum class NotifyCode { KillFocus, SelChange, DeltaPos, Clicked, Other };

struct ControlNotification {
    NotifyCode code = NotifyCode::Other;
    int controlId = 0;
    QWidget* sender = nullptr;  // nullptr: a menu command or an accelerator
    SpinStep* step = nullptr;  // DeltaPos: the position and step, which the handler may cancel
};

enum class ParameterEvent {
    None,
    EditCommitted,
    ComboChanged,
    SpinStepped,
    ButtonPressed,
    CheckBoxClicked,
    RadioClicked
};

class CParameterDispatcher {
public:
    // The sender takes the changed values of the table to the camera (the protocol object in the tool).
    // A failed send is told through the hosts' message host.
    CParameterDispatcher(ControlTable& table, ValueSender& sender, PageBinding& pages, OperatorHosts hosts,
                         ParameterEventHandler* handler = nullptr);

    void SetHandler(ParameterEventHandler* handler) { handler_ = handler; }

    // The event a notification stands for. The three button events take the button's kind from the
    // control the id finds on the pages, not from the sender.
    ParameterEvent Classify(const ControlNotification& notification) const;

    // Classifies and runs the event; always gives 0 (the notification's default handling is the
    // window's own business).
    int Dispatch(const ControlNotification& notification);

private:
    void CheckBoxClicked(int controlId);
    void RadioClicked(int controlId);
    void StoreAndSend(int controlId, int value);

    ControlTable& table_;
    ValueSender& sender_;
    PageBinding& pages_;
    ParameterEventHandler* handler_;
    OperatorHosts hosts_;
};
