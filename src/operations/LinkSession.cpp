// The camera part of the tool's start and end.
#include "operations/LinkSession.h"

#include "framework/MessageBox.h"
#include "link/BaudRateHandshake.h"
#include "link/Command.h"
#include "link/SerialLink.h"
#include "operations/RequestReport.h"
#include "operations/SpeedScan.h"
#include "tables/CommandTable.h"

#include <string>

LinkSession::LinkSession(SerialLink& link, Command& command) : link_(link), command_(command) {}

bool LinkSession::CameraAnswers()
{
    // A probe at a speed the camera does not run at may hear noise: that is no answer, and nothing to show.
    return command_.Ask(cmd::MD, kModelProbeTimeoutMs).Answered();
}

bool LinkSession::Start(int& area)
{
    area = -1;
    if (!link_.ReopenCurrent()) {
        ReportLinkError(link_);
        ShowMessage("Failed to initialize!", {}, MessageButtons::Ok, MessageIcon::Exclamation);
        return false;
    }
    Shown(link_.BaudIndex());
    // The camera may still run at the speed a previous run left it at.
    SpeedScan scan(link_, [this] { return CameraAnswers(); });
    scan.SetSpeedShown([this](int index) { Shown(index); });
    if (!scan.Run()) return false;

    if (const RequestOutcome known = command_.Ask(cmd::EA, kQueryTimeoutMs); Reported(known))
        area = known.value.intValue;
    if (link_.BaudIndex() != kFastBaudIndex &&
        ChangeCameraBaudRate(command_, link_, SerialLink::BaudRateFromIndex(kFastBaudIndex))) {
        Shown(kFastBaudIndex);
    }
    return true;
}

void LinkSession::ReturnToDefaultSpeed()
{
    if (link_.BaudIndex() == 0) return;
    if (!Reported(command_.Ask(cmd::CBDRT, kExitProbeTimeoutMs))) return;
    if (ChangeCameraBaudRate(command_, link_, kDefaultBaudRate)) Shown(0);
}
