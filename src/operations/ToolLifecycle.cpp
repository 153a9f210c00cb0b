// The tool's run as operations on the camera.
#include "operations/ToolLifecycle.h"

#include "framework/MessageBox.h"
#include "framework/OperatorHosts.h"
#include "link/Command.h"
#include "link/SerialLink.h"
#include "operations/LinkSession.h"
#include "operations/OperationGate.h"
#include "operations/ParameterHandlers.h"
#include "operations/PortWatch.h"
#include "pages/CameraReader.h"
#include "settings/ControlMode.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"

ToolLifecycle::ToolLifecycle(SerialLink& link, Command& command, ControlTable& table, ControlMode& mode,
                             CameraReader& reader, ParameterHandlers& handlers, LinkSession& session,
                             PortWatch& watch, OperationGate& gate, OperatorHosts& hosts, Views views)
    : link_(link),
      command_(command),
      table_(table),
      mode_(mode),
      reader_(reader),
      handlers_(handlers),
      session_(session),
      watch_(watch),
      gate_(gate),
      hosts_(hosts),
      views_(std::move(views))
{
}

void ToolLifecycle::OpenLink()
{
    command_.StartPolling();
    watch_.Start();
}

void ToolLifecycle::SendModeValues()
{
    ShowCommunicationError(hosts_.messages, table_.WriteChangedValues(command_).FailureText());
    table_.CommitShadow();
    Call(views_.modeSent);
}

void ToolLifecycle::StartUp()
{
    if (startUpRan_) return;
    startUpRan_ = true;
    // Keys and commands that arrive during the start-up's reads wait for its end.
    OperationGate::Hold hold(gate_);
    Call(views_.beforeStartUp);
    int area = -1;
    const bool answered = session_.Start(area);
    if (answered) reader_.Refresh();
    table_.CommitShadow();
    reader_.ShowAllValues();
    if (!answered) {
        // Without a camera the defaults stay; the controls that depend on them follow them too.
        reader_.UpdateControlStates();
        handlers_.ShowLineRate();
    }
    startedUp_ = true;
    Call(views_.startedUp);
}

void ToolLifecycle::Reload()
{
    OperationGate::Hold hold(gate_);
    const RequestOutcome area = command_.Ask(cmd::EA, LinkSession::kQueryTimeoutMs);
    ShowCommunicationError(hosts_.messages, area.FailureText());
    // A camera silent to the area query and to the model query is gone: the read then asks nothing more.
    reader_.Refresh(&area);
}

void ToolLifecycle::ToggleFactoryMode()
{
    OperationGate::Hold hold(gate_);
    mode_.Set(mode_.IsFactory() ? 0 : 1);
    Call(views_.modeShown);
    SendModeValues();
    // The factory parameters are read (or dropped from the read) only if a camera is there.
    const RequestOutcome area = command_.Ask(cmd::EA, LinkSession::kQueryTimeoutMs);
    ShowCommunicationError(hosts_.messages, area.FailureText());
    if (area) reader_.Refresh();
}

void ToolLifecycle::End()
{
    if (ended_) return;
    ended_ = true;
    // The next program (or the next run of this one) finds the camera at its own start speed.
    if (startedUp_ && !cameraRestarting_) session_.ReturnToDefaultSpeed();
    watch_.Stop();
    command_.StopPolling();
    link_.Close();
    Call(views_.closing);
}
