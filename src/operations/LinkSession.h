// The camera part of the tool's start and end: find the speed the camera listens at, learn its working flash
// area and move camera and PC to 115200 bit/s; at the end, return both to 9600 bit/s.
#pragma once

#include "framework/OperatorHosts.h"

#include <functional>

class Command;
class SerialLink;

class LinkSession {
public:
    static constexpr int kQueryTimeoutMs = 5000;
    static constexpr int kModelProbeTimeoutMs = 1000;
    static constexpr int kExitProbeTimeoutMs = 500;
    static constexpr int kFastBaudIndex = 4;  // 115200 bit/s
    static constexpr int kDefaultBaudRate = 9600;

    LinkSession(SerialLink& link, Command& command, OperatorHosts hosts);

    // Called with the baud-rate index each time the PC side has really moved to a speed.
    void SetSpeedShown(std::function<void(int baudIndex)> shown) { shown_ = std::move(shown); }

    // Opens the link from its settings ("Failed to initialize!" when it cannot), finds the camera's speed,
    // asks its working area and moves both sides to 115200 bit/s. True when a camera answered; `area` is
    // then its working area, or -1 when it did not say.
    bool Start(int& area);
    // The search of the start-up on a link already open: the link's own speed first, then 115200 down to
    // 9600 bit/s, and a camera found below 115200 bit/s is moved there. True when a camera answered.
    bool FindCamera();
    // Any answer to the model query proves camera and PC share the speed; which model it is, and the
    // message about a model the tool does not support, are the refresh's business.
    bool CameraAnswers();
    // Camera and PC back to 9600 bit/s, so the next program finds the camera at its own start speed. A short
    // presence test first: without a camera the exit must not wait for the handshake's time-outs.
    void ReturnToDefaultSpeed();

private:
    bool ScanSpeeds();
    void MoveToFastSpeed();
    void Shown(int baudIndex)
    {
        if (shown_) shown_(baudIndex);
    }

    SerialLink& link_;
    Command& command_;
    std::function<void(int)> shown_;
    OperatorHosts hosts_;
};
