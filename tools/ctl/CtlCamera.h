// The camera as the companion's verbs see it: the protocol and the tool's tables and modes, whatever
// channel carries them (a session of the companion, or the benchmark's own link).
#pragma once

#include "framework/OperatorHosts.h"

#include "link/CameraSession.h"

class Command;
class ControlMode;
class ControlTable;
class ProgressSink;
class RegistrySettings;
struct CameraModelInfo;

class CtlCamera {
public:
    static constexpr int kReadTimeoutMs = CameraSession::kReadTimeoutMs;
    static constexpr int kModelTimeoutMs = CameraSession::kModelTimeoutMs;

    CtlCamera(Command& command, ControlTable& table, CameraModelInfo& model, ControlMode& mode,
              RegistrySettings& settings, OperatorHosts hosts);

    // The model query, as the tool's model check: 1 when the camera answered (an unsupported model too,
    // after its message), 0 when it did not (the record is unchanged; a refusal is said on standard error).
    int ModelCheck();
    // The same check, as the model query ended.
    RequestOutcome CheckModel();
    // Every row the model and mode read, into the table, shadows levelled afterwards. A row that fails
    // keeps its value; the second unanswered request in a row ends the read.
    CameraSession::ReadAllResult ReadAll(ProgressSink* progress);

    Command& Protocol() { return command_; }
    CameraSession& Session() { return session_; }
    ControlTable& Table() { return table_; }
    CameraModelInfo& Model() { return model_; }
    ControlMode& Mode() { return mode_; }
    RegistrySettings& Settings() { return settings_; }
    const OperatorHosts& Hosts() const { return hosts_; }

private:
    Command& command_;
    CameraSession session_;
    ControlTable& table_;
    CameraModelInfo& model_;
    ControlMode& mode_;
    RegistrySettings& settings_;
    OperatorHosts hosts_;
};
