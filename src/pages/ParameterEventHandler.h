// The receiver of the page-control events the parameter dispatcher classifies.
#pragma once

class ParameterEventHandler {
public:
    virtual ~ParameterEventHandler() = default;
    // The operator left an edit box.
    virtual void OnEditCommitted(int controlId) = 0;
    // The operator picked a combo box entry.
    virtual void OnComboChanged(int controlId) = 0;
    // The operator clicked a spin arrow: the spin's position before the step and the step. Setting
    // `cancel` keeps the spin where it is (the handler may have set its position itself).
    virtual void OnSpinStepped(int controlId, int position, int delta, bool& cancel) = 0;
    // A push button was pressed.
    virtual void OnButtonPressed(int controlId) = 0;
};
