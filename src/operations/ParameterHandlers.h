// What happens when the operator changes a page control: the value goes into the control table, the
// changed rows go to the camera, and a refused value puts the control back to what the camera has.
#pragma once

#include "framework/OperatorHosts.h"

#include "pages/CameraReader.h"
#include "pages/ParameterEventHandler.h"

#include <functional>
#include <map>

class ControlTable;
class OperationGate;
class PageBinding;
class ValueSender;

class ParameterHandlers : public ParameterEventHandler, public LineRateDisplay {
public:
    ParameterHandlers(ValueSender& sender, ControlTable& table, PageBinding& pages, OperatorHosts hosts);

    void OnEditCommitted(int controlId) override;
    void OnComboChanged(int controlId) override;
    void OnSpinStepped(int controlId, int position, int delta, bool& cancel) override;
    void OnButtonPressed(int controlId) override;

    // With a gate, an event that arrives while an operation or a request is under way waits until it has
    // ended (a spin step is refused instead: the spin does not move), and each event holds the gate.
    void SetGate(OperationGate* gate) { gate_ = gate; }

    // The line period ("%.2fus") and line frequency ("%.4fhz") of the Line Rate value (units of 10 ns).
    void ShowLineRate() override;

    // Per-control actions around the generic handling. A combo hook runs instead of the generic update
    // (and does its own sending), before it (and once more after a refused write, so that what it set
    // follows the selection shown again) or after an accepted write; an edit's follow-up runs after the
    // update of the edit or of its spin whatever the update gave (a read-back of a value the camera
    // rounds, say); the edit then shows the table's value. A button action is the button's whole handling.
    enum class HookTime { Instead, Before, After };
    void SetComboHook(int controlId, HookTime when, std::function<void()> action);
    void SetFollowUp(int editId, std::function<void()> action);
    void SetButtonAction(int controlId, std::function<void()> action);

    // The update step: stores the value, sends what differs from the shadows, levels the shadows on
    // success; on failure the row and its control go back to the shadow, with one box for a refusal.
    // Gives the send's result; 0 without a sending for a control that has no table row.
    int UpdateValue(int controlId, int value);

    // The LUT index and data edits only hold operands for their Read and Write buttons.
    static bool IsLutEdit(int controlId);
    // Whether the control is a parameter of the control table (asked without the table's message).
    bool HasRow(int controlId) const;

private:
    void EditCommitted(int controlId);
    void ComboChanged(int controlId);
    void SpinStepped(int controlId, int position, int delta, bool& cancel);
    // Runs the event now, holding the gate, or queues it while the gate is busy.
    void RunGated(std::function<void()> event);
    void ShowChangedValues();
    void RunFollowUp(int editId);
    void RunHook(const std::map<int, std::function<void()>>& hooks, int controlId);

    ValueSender& sender_;
    ControlTable& table_;
    PageBinding& pages_;
    OperationGate* gate_ = nullptr;
    std::map<int, std::function<void()>> comboInstead_;
    std::map<int, std::function<void()>> comboBefore_;
    std::map<int, std::function<void()>> comboAfter_;
    std::map<int, std::function<void()>> followUps_;
    std::map<int, std::function<void()>> buttons_;
    OperatorHosts hosts_;
};
