// One run of the command-line companion against one camera: the long-lived objects the windowed tool
// also has, the start (speed search, move to 115200 bit/s) and the end (back to 9600 bit/s). Nothing of
// it is shared with another session: several sessions run at once, one per camera, each on its thread.
#pragma once

#include "ctl/CtlCamera.h"
#include "ctl/CtlConnection.h"
#include "ctl/SessionClSerialKind.h"

#include "link/ComPort.h"
#include "link/Command.h"
#include "link/SerialLink.h"
#include "operations/TableLookupActions.h"
#include "settings/ControlMode.h"
#include "settings/RegistrySettings.h"
#include "tables/CameraModelInfo.h"
#include "tables/ControlTable.h"

#include <array>
#include <memory>

class CtlSession {
public:
    // The settings are detached: the companion neither reads nor changes the windowed tool's settings.
    // The run's boxes, waits and timers go to `hosts`.
    CtlSession(const CtlConnection& connection, bool factoryMode, OperatorHosts hosts);
    ~CtlSession();
    CtlSession(const CtlSession&) = delete;
    CtlSession& operator=(const CtlSession&) = delete;

    // Opens the channel, finds the camera and moves it to 115200 bit/s. False after a message on
    // standard error when no camera answered.
    bool Start();
    // Camera and PC back to 9600 bit/s (unless the connection keeps the speed), the channel closed.
    // Runs once; the destructor calls it when the verb did not.
    void End();

    CtlCamera& Camera() { return camera_; }
    // Why the port or entry did not open (the link's own words), empty when it opened.
    const std::string& OpenFailure() const { return openFailure_; }
    // The flash area the camera said at the start, -1 when it did not.
    int StartArea() const { return startArea_; }

    RegistrySettings& Settings() { return settings_; }
    ControlMode& Mode() { return mode_; }
    SerialLink& Link() { return link_; }
    Command& Protocol() { return command_; }
    ControlTable& Table() { return table_; }
    CameraModelInfo& Model() { return model_; }
    const CtlConnection& Connection() const { return connection_; }

private:
    bool SelectClEntry();
    bool StartAtGivenSpeed();
    ClSerialKind* ClKind(int linkMode);

    CtlConnection connection_;
    RegistrySettings settings_{RegistrySettings::Detached{}};
    ControlMode mode_{settings_};
    ComPort port_;
    std::array<std::unique_ptr<SessionClSerialKind>, 4> clKinds_;  // by link mode, made when first asked for
    SerialLink link_;
    Command command_;
    OperatorHosts hosts_;
    TableLookupActions lookupFailures_{hosts_.messages};
    ControlTable table_{&lookupFailures_};
    CameraModelInfo model_;
    CtlCamera camera_{command_, table_, model_, mode_, settings_, hosts_};
    int startArea_ = -1;
    std::string openFailure_;
    bool started_ = false;
    bool ended_ = false;
};
