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

LinkSession::LinkSession(SerialLink& link, Command& command, OperatorHosts hosts) : link_(link), command_(command), hosts_(hosts)
{}

bool LinkSession::CameraAnswers()
{
    // A probe at a speed the camera does not run at may hear noise: that is no answer, and nothing to show.
    return command_.Ask(cmd::MD, kModelProbeTimeoutMs).Answered();
}

bool LinkSession::Start(int& area)
{
    area = -1;
    if (!link_.ReopenCurrent()) {
        ReportLinkError(hosts_.messages, link_);
        ShowMessage(hosts_.messages, "Failed to initialize!", {}, MessageButtons::Ok, MessageIcon::Exclamation);
        return false;
    }
    Shown(link_.BaudIndex());
    if (!ScanSpeeds()) return false;

    if (const RequestOutcome known = command_.Ask(cmd::EA, kQueryTimeoutMs); Reported(hosts_.messages, known))
        area = known.value.intValue;
    MoveToFastSpeed();
    return true;
}

bool LinkSession::FindCamera()
{
    if (!ScanSpeeds()) return false;
    MoveToFastSpeed();
    return true;
}

bool LinkSession::ScanSpeeds()
{
    // The camera may still run at the speed a previous run left it at, or be back at its own start speed
    // after losing its power.
    SpeedScan scan(link_, [this] { return CameraAnswers(); });
    scan.SetSpeedShown([this](int index) { Shown(index); });
    return scan.Run();
}

void LinkSession::MoveToFastSpeed()
{
    if (link_.BaudIndex() != kFastBaudIndex &&
        ChangeCameraBaudRate(command_, link_, SerialLink::BaudRateFromIndex(kFastBaudIndex))) {
        Shown(kFastBaudIndex);
    }
}

void LinkSession::ReturnToDefaultSpeed()
{
    if (link_.BaudIndex() == 0) return;
    if (!Reported(hosts_.messages, command_.Ask(cmd::CBDRT, kExitProbeTimeoutMs))) return;
    if (ChangeCameraBaudRate(command_, link_, kDefaultBaudRate)) Shown(0);
}
