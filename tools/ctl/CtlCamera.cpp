// The model check and the read of all settings, without pages to show them on.
#include "ctl/CtlCamera.h"

#include "framework/MessageBox.h"
#include "framework/ProgressSink.h"
#include "settings/ControlMode.h"
#include "tables/ControlTable.h"

#include <string>

CtlCamera::CtlCamera(Command& command, ControlTable& table, CameraModelInfo& model, ControlMode& mode,
                     RegistrySettings& settings, OperatorHosts hosts)
    : command_(command),
      session_(command, table, model),
      table_(table),
      model_(model),
      mode_(mode),
      settings_(settings),
      hosts_(hosts)
{
}

int CtlCamera::ModelCheck() { return CheckModel() ? 1 : 0; }

RequestOutcome CtlCamera::CheckModel()
{
    const RequestOutcome outcome = session_.CheckModel();
    ShowCommunicationError(hosts_.messages, outcome.FailureText());
    if (!outcome) return outcome;
    if (const std::string unsupported = session_.UnsupportedModelText(); !unsupported.empty())
        ShowMessage(hosts_.messages, unsupported, {}, MessageButtons::Ok, MessageIcon::Exclamation);
    return outcome;
}

CameraSession::ReadAllResult CtlCamera::ReadAll(ProgressSink* progress)
{
    if (progress) progress->Open("Now, reading camera settings.");
    CameraSession::ReadAllResult result = session_.ReadAll(mode_.IsFactory(), [&](int asked, int total) {
        if (progress) progress->SetPosition(total > 0 ? asked * 100 / total : 100);
    });
    if (progress) progress->Close();
    table_.CommitShadow();
    return result;
}
