// The tool's run as operations on the camera: the link opened and watched, the start-up that finds the
// camera, the reload, the factory-mode toggle and the end that returns the camera to its start speed. What
// the windows show of each step comes back through the views, so the sequence lives here once.
#pragma once

#include <functional>

class CameraReader;
class Command;
class ControlMode;
class ControlTable;
class LinkSession;
class OperationGate;
class ParameterHandlers;
class PortWatch;
class SerialLink;
struct OperatorHosts;

class ToolLifecycle {
public:
    // The windows' part of the steps; any may be empty.
    struct Views {
        std::function<void()> beforeStartUp;  // the start-up is about to look for the camera
        std::function<void()> modeShown;  // the pages and menus of the control mode, before its values go out
        std::function<void()> modeSent;  // after the mode's values went out
        std::function<void()> startedUp;  // the start-up has finished
        std::function<void()> closing;  // the link is closed: the tool's other windows go
    };

    ToolLifecycle(SerialLink& link, Command& command, ControlTable& table, ControlMode& mode, CameraReader& reader,
                  ParameterHandlers& handlers, LinkSession& session, PortWatch& watch, OperationGate& gate,
                  OperatorHosts& hosts, Views views);

    // The protocol's background reception of lines sent outside requests, and the watch over a serial port
    // that goes away.
    void OpenLink();
    // The values of the control mode to the camera, after the views have shown the mode.
    void SendModeValues();
    // Open the link, find the camera (speed scan), move it to 115200 bit/s and read it. Once.
    void StartUp();
    bool IsStartedUp() const { return startedUp_; }
    // "&Reload": the camera's working area, then everything read again.
    void Reload();
    // User mode and factory mode change places; the factory parameters are read if a camera is there.
    void ToggleFactoryMode();
    // "Camera Reset": the camera does not listen any more, so the end asks it nothing.
    void CameraRestarting() { cameraRestarting_ = true; }
    // The end of the run: the camera back at its start speed, the watch and the poll stopped, the link closed.
    // Once.
    void End();

private:
    static void Call(const std::function<void()>& view)
    {
        if (view) view();
    }

    SerialLink& link_;
    Command& command_;
    ControlTable& table_;
    ControlMode& mode_;
    CameraReader& reader_;
    ParameterHandlers& handlers_;
    LinkSession& session_;
    PortWatch& watch_;
    OperationGate& gate_;
    OperatorHosts& hosts_;
    Views views_;
    bool startUpRan_ = false;
    bool startedUp_ = false;
    bool ended_ = false;
    bool cameraRestarting_ = false;
};
