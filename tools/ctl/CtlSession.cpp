// The companion's connection to the camera and its read of all settings.
#include "ctl/CtlSession.h"

#include "base/StrFormat.h"
#include "framework/MessageBox.h"
#include "link/BaudRateHandshake.h"
#include "operations/LinkSession.h"
#include "operations/RequestReport.h"
#include "tables/CommandTable.h"

#include <string>

namespace {

LinkSettings InitialSettings(const CtlConnection& connection)
{
    LinkSettings s;
    s.linkMode = connection.linkMode;
    s.baudRate = connection.baudRate > 0 ? connection.baudRate : LinkSession::kDefaultBaudRate;
    s.comPortIndex = connection.linkMode == kLinkComPort ? connection.portIndex : 0;
    s.cl2000Index = connection.linkMode == kLinkCl2000 ? connection.portIndex : 0;
    s.cl2001Index = connection.linkMode == kLinkCl2001 ? connection.portIndex : 0;
    s.clV11Index = connection.linkMode == kLinkClV11 ? connection.portIndex : 0;
    return s;
}

void Problem(MessageHost& messages, const std::string& text) { ShowMessage(messages, text, {}, MessageButtons::Ok, MessageIcon::Stop); }

}  // namespace

std::string CtlConnection::Describe() const
{
    if (linkMode == kLinkComPort) return devicePath.empty() ? StrFormat("COM%d", portIndex + 1) : devicePath;
    const char* kind = linkMode == kLinkCl2000 ? "2000" : linkMode == kLinkCl2001 ? "2001" : "v11";
    return std::string(kind) + ":" + (entryName.empty() ? std::to_string(portIndex) : entryName);
}

CtlSession::CtlSession(const CtlConnection& connection, bool factoryMode, OperatorHosts hosts)
    : connection_(connection),
      link_(
          InitialSettings(connection), port_, [this](int mode) { return ClKind(mode); }, nullptr),
      command_(link_, hosts),
      hosts_(hosts)
{
    mode_.Set(factoryMode ? 1 : 0);
    link_.SetDevicePath(connection.devicePath);
}

CtlSession::~CtlSession() { End(); }

ClSerialKind* CtlSession::ClKind(int linkMode)
{
    if (linkMode < kLinkCl2000 || linkMode > kLinkClV11) return nullptr;
    std::unique_ptr<SessionClSerialKind>& kind = clKinds_[static_cast<std::size_t>(linkMode)];
    if (!kind) kind = std::make_unique<SessionClSerialKind>(linkMode);
    return kind.get();
}

bool CtlSession::SelectClEntry()
{
    if (connection_.linkMode == kLinkComPort) return true;
    link_.SetMode(connection_.linkMode);
    const int count = link_.PortCount();
    if (connection_.entryName.empty()) {
        if (connection_.portIndex < count) return true;
        Problem(hosts_.messages, StrFormat("No Camera Link entry %d: the library offers %d.", connection_.portIndex, count));
        return false;
    }
    for (int i = 0; i < count; ++i) {
        if (link_.PortName(i) == connection_.entryName) {
            connection_.portIndex = i;
            link_.Open(connection_.linkMode, InitialSettings(connection_).baudRate, i);
            link_.Close();
            return true;
        }
    }
    Problem(hosts_.messages, "No Camera Link entry \"" + connection_.entryName + "\" (" + std::to_string(count) + " found).");
    return false;
}

bool CtlSession::StartAtGivenSpeed()
{
    // The link itself always starts at 9600 bit/s; here the caller knows better.
    if (!link_.ReopenWithBaud(connection_.baudRate)) {
        ReportLinkError(hosts_.messages, link_);
        Problem(hosts_.messages, "Failed to initialize!");
        return false;
    }
    LinkSession session(link_, command_, hosts_);
    if (!session.CameraAnswers()) return false;
    if (const RequestOutcome area = command_.Ask(cmd::EA, LinkSession::kQueryTimeoutMs))
        startArea_ = area.value.intValue;
    if (link_.BaudIndex() != LinkSession::kFastBaudIndex) {
        ChangeCameraBaudRate(command_, link_, SerialLink::BaudRateFromIndex(LinkSession::kFastBaudIndex));
    }
    return true;
}

bool CtlSession::Start()
{
    if (!SelectClEntry()) return false;
    started_ = true;
    bool answered = false;
    if (connection_.baudRate > 0) {
        answered = StartAtGivenSpeed();
    } else {
        LinkSession session(link_, command_, hosts_);
        answered = session.Start(startArea_);
    }
    if (!answered && !link_.IsOpen() && !link_.LastError().empty()) {
        // The port did not open and has said why: no camera was asked, so none is said to be silent.
        openFailure_ = link_.LastError();
        return false;
    }
    if (!answered) {
        Problem(hosts_.messages, "No camera answers on " + connection_.Describe() + ".");
        return false;
    }
    return true;
}

void CtlSession::End()
{
    if (ended_ || !started_) return;
    ended_ = true;
    if (!connection_.keepSpeed) LinkSession(link_, command_, hosts_).ReturnToDefaultSpeed();
    link_.Close();
}
