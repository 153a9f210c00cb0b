// The page operations wired together.
#include "operations/PageOperations.h"

#include "link/Command.h"
#include "operations/ParameterHandlers.h"
#include "pages/CameraReader.h"

PageOperations::PageOperations(ParameterHandlers& handlers, Command& command, ControlTable& table, CameraReader& reader,
                               const CameraModelInfo& model, PageBinding& pages)
    : handlers_(handlers),
      runner_(command, clock_),
      hooks_(handlers, command, table, reader, pages),
      readouts_(command, table, pages),
      oneShots_(runner_, command, table, reader, model, pages),
      maintenance_(command, reader, pages)
{
    clock_.clock = &steadyClock_;
    // A request waiting or a read of all settings holds the camera as much as an operation of the gate.
    gate_.SetExternalBusy([&command, &reader] { return command.IsBusy() || reader.IsRefreshing(); });
}

void PageOperations::SetClock(OperationClock* clock) { clock_.clock = clock ? clock : &steadyClock_; }

void PageOperations::Install()
{
    hooks_.Install();
    readouts_.Install(handlers_);
    oneShots_.Install(handlers_);
    maintenance_.Install(handlers_);
    handlers_.SetGate(&gate_);
}
