// Everything the page controls do beyond the generic update, built once for the main window: the special
// handlers, the read-out buttons, the one-shot operations and the maintenance writes, and the gate that
// keeps operator actions from interleaving with them.
#pragma once

#include "framework/OperatorHosts.h"

#include "operations/CalibrationRunner.h"
#include "operations/MaintenanceWrites.h"
#include "operations/OneShotOperations.h"
#include "operations/OperationClock.h"
#include "operations/OperationGate.h"
#include "operations/ParameterHooks.h"
#include "operations/ReadoutButtons.h"

#include <functional>

class CameraReader;
class Command;
class ControlTable;
class LutEditorOpener;
class PageBinding;
class ParameterHandlers;
class ProgressSink;
struct CameraModelInfo;

class PageOperations {
public:
    // `pages` is the main window's page binding, the only way the operations reach the controls.
    PageOperations(ParameterHandlers& handlers, Command& command, ControlTable& table, CameraReader& reader,
                   const CameraModelInfo& model, PageBinding& pages, OperatorHosts hosts);

    // Registers every hook and button action with the handlers, and the gate.
    void Install();

    OperationGate& Gate() { return gate_; }
    OneShotTimes& Times() { return runner_.Times(); }
    ParameterHooks& Hooks() { return hooks_; }

    // Where the calibrations show their progress (null: nowhere).
    void SetProgress(ProgressSink* progress) { runner_.SetProgress(progress); }
    // The clock the calibrations pause and measure by (null: the real one).
    void SetClock(OperationClock* clock);
    void SetLutEditorOpener(LutEditorOpener* opener) { readouts_.SetLutEditorOpener(opener); }
    void SetCameraResetHandler(std::function<void()> handler) { oneShots_.SetCameraResetHandler(std::move(handler)); }

private:
    // Forwards to the clock in use, so that the runner can keep one reference.
    class ClockSwitch : public OperationClock {
    public:
        std::int64_t NowMs() override { return clock->NowMs(); }
        void Pause(int ms) override { clock->Pause(ms); }
        OperationClock* clock = nullptr;
    };

    ParameterHandlers& handlers_;
    SteadyOperationClock steadyClock_;
    ClockSwitch clock_;
    OperationGate gate_;
    CalibrationRunner runner_;
    ParameterHooks hooks_;
    ReadoutButtons readouts_;
    OneShotOperations oneShots_;
    MaintenanceWrites maintenance_;
};
