// The camera as the companion's verbs see it: the protocol and the tool's tables and modes, whatever
// channel carries them (a session of the companion, or the benchmark's own link).
#pragma once

class Command;
class ControlMode;
class ControlTable;
class ProgressSink;
class RegistrySettings;
struct CameraModelInfo;

// How a read of all settings ended.
struct CtlReadOutcome {
    int read = 0;
    int total = 0;
    bool cameraGone = false;  // two time-outs in a row
};

class CtlCamera {
public:
    static constexpr int kReadTimeoutMs = 5000;
    static constexpr int kModelTimeoutMs = 1000;

    CtlCamera(Command& command, ControlTable& table, CameraModelInfo& model, ControlMode& mode,
              RegistrySettings& settings);

    // The model query, as the tool's model check: 1 when the camera answered (an unsupported model too,
    // after its message), 0 when it did not (the record is unchanged).
    int ModelCheck();
    // Every row the model and mode read, into the table, shadows levelled afterwards. A row that does not
    // answer keeps its value; the second time-out in a row ends the read.
    CtlReadOutcome ReadAll(ProgressSink* progress);

    Command& Protocol() { return command_; }
    ControlTable& Table() { return table_; }
    CameraModelInfo& Model() { return model_; }
    ControlMode& Mode() { return mode_; }
    RegistrySettings& Settings() { return settings_; }

private:
    Command& command_;
    ControlTable& table_;
    CameraModelInfo& model_;
    ControlMode& mode_;
    RegistrySettings& settings_;
};
