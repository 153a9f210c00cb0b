// Watching the serial port for its loss and its return.
#include "operations/PortWatch.h"

#include "base/StrFormat.h"
#include "framework/OnlineStatusRegistry.h"
#include "framework/TimerService.h"
#include "link/SerialLink.h"
#include "operations/LinkSession.h"
#include "operations/OperationGate.h"
#include "platform/SerialDevice.h"

PortWatch::PortWatch(SerialLink& link, LinkSession& session, OperationGate& gate, OperatorHosts hosts)
    : link_(link), session_(session), gate_(gate), hosts_(hosts)
{
}

PortWatch::~PortWatch() { Stop(); }

void PortWatch::Start()
{
    if (timerId_ != 0) return;
    timerId_ = hosts_.timers.StartTimer(kIntervalMs, [this] { Tick(); });
}

void PortWatch::Stop()
{
    if (timerId_ != 0) hosts_.timers.StopTimer(timerId_);
    timerId_ = 0;
}

void PortWatch::Tick()
{
    // A box of ours still up (its message loop runs timers) waits for the operator first.
    if (ticking_ || gate_.Busy()) return;
    ticking_ = true;
    if (state_ == State::Idle) {
        if (link_.ChannelLost()) Lose();
    } else if (link_.IsOpen() || link_.GetMode() != kLinkComPort || link_.CurrentPortIndex() != portIndex_) {
        // The operator chose a port or a category meanwhile: that choice stands.
        state_ = State::Idle;
    } else {
        switch (SerialDevice::Presence(device_)) {
            case SerialPresence::Absent:
                break;
            case SerialPresence::InUse:
                // Not taken from the other program: the operator decides when to choose it again.
                state_ = State::Idle;
                Report(
                    StrFormat("%s is back, but another program is using it.\nThe port stays closed; choose it "
                              "in the Communication dialog once it is free.",
                              portName_.c_str()));
                break;
            case SerialPresence::Free:
                Reconnect();
                break;
        }
    }
    ticking_ = false;
}

void PortWatch::Lose()
{
    device_ = link_.ChannelDevice();
    portIndex_ = link_.CurrentPortIndex();
    portName_ = link_.PortName(portIndex_);
    baudRate_ = link_.GetBaudRate();
    // Closed at once: a USB adapter that comes back while its old device is still held open gets another
    // name, and the port would not be found again.
    link_.Close();
    state_ = State::Watching;
    hosts_.onlineStatus.SetOffline();
    Report(
        StrFormat("%s has gone away (was the adapter unplugged?).\nThe tool reconnects by itself as soon as "
                  "the port is back.",
                  portName_.c_str()));
}

void PortWatch::Reconnect()
{
    // Operator actions that arrive during the search wait for its end.
    OperationGate::Hold hold(gate_);
    state_ = State::Idle;
    // The camera most likely kept its power and its speed; if not, the search finds it at its own.
    if (!link_.Open(kLinkComPort, baudRate_, portIndex_)) return;
    if (session_.FindCamera() && modelCheck_) modelCheck_();
}

void PortWatch::Report(const std::string& text)
{
    if (report_) report_(text);
}
