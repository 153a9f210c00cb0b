// The page controls whose change does more than the generic update: slow writes that reconfigure the
// camera, read-backs of the values a change alters, the exposure and gain modes, and the rules that
// enable the controls a change concerns.
#pragma once

#include "framework/OperatorHosts.h"

#include <initializer_list>

class CameraReader;
class Command;
class ControlTable;
class PageBinding;
class ParameterHandlers;

class ParameterHooks {
public:
    static constexpr int kSlowWriteTimeoutMs = 20000;

    ParameterHooks(ParameterHandlers& handlers, Command& command, ControlTable& table, CameraReader& reader,
                   PageBinding& pages, OperatorHosts hosts);

    // Registers every combo hook and edit follow-up with the handlers.
    void Install();

    // Sends the combo's value with the long time-out; with lineRateReadBack the line rate the camera
    // worked out anew is read and shown. A failure puts the combo back to what the camera has.
    void SlowWrite(int comboId, bool lineRateReadBack);
    void ExposureModeChanged();
    // The exposure times a trigger or exposure-time mode change has altered.
    void ExposureReadBack();
    void GainModeChanged();

    void SetSlowWriteTimeoutMs(int timeoutMs) { slowWriteTimeoutMs_ = timeoutMs; }

private:
    // Sends the combo's selection on its own; a failure shows its box and puts the table and the combo
    // back to the camera's value. True when the camera took it.
    bool WriteSelection(int comboId, int timeoutMs);
    // ReadOneValue for each control in turn, then CommitShadow.
    void ReadBack(std::initializer_list<int> controlIds);

    ParameterHandlers& handlers_;
    Command& command_;
    ControlTable& table_;
    CameraReader& reader_;
    PageBinding& pages_;
    int slowWriteTimeoutMs_ = kSlowWriteTimeoutMs;
    OperatorHosts hosts_;
};
