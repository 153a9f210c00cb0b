// The serial port going away and coming back: a pulled USB adapter takes the tool offline once, and when
// the same port is back the tool reopens it and finds the camera again by itself.
#pragma once

#include "framework/OperatorHosts.h"

#include <functional>
#include <string>

class LinkSession;
class OperationGate;
class SerialLink;

// User-interface thread only, on a repeating timer of the timer service. The port's reader thread only
// sets a flag when the line goes; each tick looks at that flag and, while the port is gone, at whether its
// device is there again: a file-system look, nothing on the wire. A tick does nothing while an operation
// or a request holds the camera, so the port never closes or reopens under one.
class PortWatch {
public:
    static constexpr int kIntervalMs = 1000;

    // The gate keeps operator actions out of a reconnect (they wait for its end) and tells when one runs.
    PortWatch(SerialLink& link, LinkSession& session, OperationGate& gate, OperatorHosts hosts);
    ~PortWatch();
    PortWatch(const PortWatch&) = delete;
    PortWatch& operator=(const PortWatch&) = delete;

    // The model check run once the camera answers on the reopened port (it learns which camera is there).
    void SetModelCheck(std::function<void()> check) { modelCheck_ = std::move(check); }
    // Where the operator is told: the port went away, or came back held by another program. The watch
    // itself shows nothing; the window that owns the operator's attention does.
    void SetReport(std::function<void(const std::string& text)> report) { report_ = std::move(report); }

    void Start();
    void Stop();
    // One look; the timer calls it.
    void Tick();
    // The port went away and is watched for.
    bool Watching() const { return state_ == State::Watching; }

private:
    enum class State { Idle, Watching };

    void Lose();
    void Reconnect();
    void Report(const std::string& text);

    SerialLink& link_;
    LinkSession& session_;
    OperationGate& gate_;
    std::function<void()> modelCheck_;
    std::function<void(const std::string&)> report_;
    State state_ = State::Idle;
    // The port that went away, as it was: where to look, what to call it, and how to reopen it.
    std::string device_;
    std::string portName_;
    int portIndex_ = 0;
    int baudRate_ = 0;
    int timerId_ = 0;
    bool ticking_ = false;
    OperatorHosts hosts_;
};
