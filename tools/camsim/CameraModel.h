// The simulated camera: parameters, flash areas, identity, tables and actions behind the line protocol. No I/O.
#pragma once

#include "camsim/CameraConfig.h"
#include "camsim/CameraParameters.h"
#include "camsim/CameraTables.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace camsim {

// Parameter values follow the control table's defaults and ranges (CameraParameters), the model's command
// set (ModelCommandSet) and the combo codes of the catalogue. Not thread-safe: a front end serializes the
// calls (InProcessLink holds its mutex around them).
class CameraModel {
public:
    // The answer to one line, and how long the camera works before it can send it (RS, white balance).
    struct Reply {
        std::string text;  // answer lines, each ending in CR LF; empty when the camera says nothing
        int busyMs = 0;
    };

    static constexpr int kMaxLineLength = 1023;
    static constexpr int kUnlockCode = 5829317;  // the default of CameraConfig::unlockCode
    static constexpr int kUserIdMax = 64;
    static constexpr int kCameraIdMax = 10;

    explicit CameraModel(CameraConfig config = {});

    // One received line without its line end -> the answer lines, each ending in CR LF (usually one).
    std::string HandleLine(std::string_view line);
    Reply Respond(std::string_view line);

    int BaudCode() const { return baudCode_; }  // the speed the camera listens at now
    const CameraConfig& Config() const { return config_; }
    const std::string& Model() const { return model_; }
    int Value(int commandIndex) const { return parameters_.Get(commandIndex); }
    int CurrentArea() const { return parameters_.Get(cmd::EA); }
    const CameraTables& Tables() const { return tables_; }

    // The camera's sense of time (counters, temperature); milliseconds from any fixed origin.
    void SetClock(std::function<std::int64_t()> nowMs);

    // Power-up state: the boot area's settings, the speed of the configuration (or 9600 after a reset).
    void PowerUp();

private:
    Reply Query(int command);
    Reply Write(int command, std::string_view valueText);
    Reply WriteText(int command, std::string_view text);
    // An action command, the one value it takes (kAnyValue: the action checks the value itself) and what
    // it does.
    struct Action {
        int command;
        int onlyValue;
        Reply (CameraModel::*run)(int command, int value);
    };
    static constexpr int kAnyValue = -1;
    static const Action* FindAction(int command);  // null for a command that is no action
    Reply WriteAction(const Action& action, int value);
    Reply ResetByCommand(int command, int value);
    Reply MeasureShading(int command, int value);
    Reply StartCalibration(int command, int value);
    Reply StoreUserArea(int command, int area);
    Reply StoreFactoryArea(int command, int value);
    Reply LoadArea(int command, int area);
    Reply Unlock(int command, int code);
    Reply Acknowledge(int command, int value);
    Reply StoreShading(int command, int value);
    Reply ResetCounter(int command, int value);
    Reply WhiteBalance(int mode);
    void Reset();
    void StoreArea(int area);
    int BootArea() const;
    int CounterValue(int counter) const;
    int CounterStatus(int counter) const;
    int Temperature() const;
    std::int64_t Now() const;
    Reply Complete() const;
    static Reply Error(const std::string& reason);

    CameraConfig config_;
    std::string model_;
    int baudCode_ = 1;
    CameraParameters parameters_;
    CameraTables tables_;
    std::array<CameraParameters::Values, 4> areas_{};  // Factory, User 1..3
    int lastStoredUserArea_ = 1;
    bool unlocked_ = false;  // the line before was a correct ULCK
    std::array<int, CommandTable::kCount> busyPollsLeft_{};
    std::array<std::int64_t, 4> counterStart_{};
    std::int64_t powerUpMs_ = 0;
    std::function<std::int64_t()> clock_;

    std::string firmwareVersion_;
    std::string fpgaVersion_;
    std::string cameraId_;
    std::string userId_;
    std::string deviceVersion_;
};

}  // namespace camsim
