// The page operations wired together.
#include "operations/PageOperations.h"

#include "link/Command.h"
#include "operations/ParameterHandlers.h"
#include "pages/CameraReader.h"

PageOperations::PageOperations(ParameterHandlers& handlers, Command& command, ControlTable& table, CameraReader& reader,
                               const CameraModelInfo& model, PageBinding& pages, OperatorHosts hosts)
    : handlers_(handlers),
      steadyClock_(hosts.ui),
      gate_(hosts.timers),
      runner_(command, clock_, hosts),
      hooks_(handlers, command, table, reader, pages, hosts),
      readouts_(command, table, pages, hosts),
      oneShots_(runner_, command, table, reader, model, pages, hosts),
      maintenance_(command, reader, pages, hosts)
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
