// The simulated camera's answer to each command line.
#include "camsim/CameraModel.h"

#include "base/StrFormat.h"
#include "camsim/CameraCommandRules.h"
#include "camsim/ModelCommandSet.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <utility>

namespace camsim {
namespace {

constexpr int kCounterIdle = 0;
constexpr int kCounterActive = 2;
constexpr int kCounterOverflow = 4;

constexpr int kWhiteBalanceIdle = 5;
constexpr int kResultSucceeded = 1;  // white balance and calibration status
constexpr int kShadingNotRun = 0;  // "Condition_Error" until the first calibration
constexpr int kShadingComplete = 4;

// The scene the white balance sees: red and blue reach 80 % and 90 % of green.
constexpr int kRedGainCorrection = 125;
constexpr int kBlueGainCorrection = 111;

constexpr int kModelNameMax = 32;
constexpr int kVersionPartMax = 8;
const char* const kVendorName = "Orvane";
const char* const kHelpText = "RV-8200-XC serial commands: see the camera manual";

}  // namespace

CameraModel::CameraModel(CameraConfig config) : config_(std::move(config))
{
    clock_ = [] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    };
    PowerUp();
}

void CameraModel::SetClock(std::function<std::int64_t()> nowMs)
{
    clock_ = std::move(nowMs);
    powerUpMs_ = Now();
    counterStart_.fill(powerUpMs_);
}

std::int64_t CameraModel::Now() const { return clock_(); }

void CameraModel::PowerUp()
{
    model_ = config_.model;
    baudCode_ = BaudRateOfCode(config_.baudCode) ? config_.baudCode : 1;
    firmwareVersion_ = config_.firmwareVersion;
    fpgaVersion_ = config_.fpgaVersion;
    cameraId_ = config_.cameraId;
    userId_ = config_.userId;
    deviceVersion_ = config_.deviceVersion;
    parameters_.Reset(model_);
    parameters_.SetRaw(cmd::XMLVR, config_.xmlVersion);
    for (auto& area : areas_) area = parameters_.All();
    lastStoredUserArea_ = 1;
    const int keepBaud = baudCode_;
    Reset();
    baudCode_ = keepBaud;
    for (const std::string& line : config_.presetLines) Respond(line);
}

void CameraModel::Reset()
{
    // The boot area choice and the XML version live outside the setting areas and survive a reset.
    const int bootSetting = parameters_.Get(cmd::BAS00);
    const int xmlVersion = parameters_.Get(cmd::XMLVR);
    baudCode_ = 1;
    parameters_.Reset(model_);
    parameters_.SetRaw(cmd::BAS00, bootSetting);
    parameters_.SetRaw(cmd::XMLVR, xmlVersion);
    const int area = BootArea();
    parameters_.LoadStored(areas_[static_cast<std::size_t>(area)], model_);
    parameters_.SetRaw(cmd::EA, area);
    parameters_.SetRaw(cmd::AWRS, kWhiteBalanceIdle);
    parameters_.SetRaw(cmd::AHRS, kWhiteBalanceIdle);
    parameters_.SetRaw(cmd::SDRS, kShadingNotRun);
    for (int status : {cmd::PGS, cmd::PBS, cmd::PGS00, cmd::PBS00, cmd::SDS00}) {
        parameters_.SetRaw(status, kResultSucceeded);
    }
    busyPollsLeft_.fill(0);
    unlocked_ = false;
    tables_.RestoreShading();
    powerUpMs_ = Now();
    counterStart_.fill(powerUpMs_);
}

// "Default Area" boots from the factory area; "Update Area" from the user area stored last.
int CameraModel::BootArea() const { return parameters_.Get(cmd::BAS00) == 0 ? 0 : lastStoredUserArea_; }

std::string CameraModel::HandleLine(std::string_view line) { return Respond(line).text; }

CameraModel::Reply CameraModel::Respond(std::string_view line)
{
    // ULCK opens the camera id for exactly the next line.
    const bool unlocked = std::exchange(unlocked_, false);
    if (line.size() > static_cast<std::size_t>(kMaxLineLength)) {
        return Error(StrFormat("line longer than %d bytes", kMaxLineLength));
    }
    // A bare line end is the usual way to clear a half-sent line; the camera stays quiet.
    if (line.empty()) return {};
    // Refusals on request let the tool's handling of a refused line be tried on any command.
    if (std::find(config_.refusedLines.begin(), config_.refusedLines.end(), line) != config_.refusedLines.end()) {
        return Error("refused on request");
    }
    if (HasControlCharacter(line)) return Error("line holds a control character");
    const std::size_t separator = line.find_first_of("=?");
    if (separator == std::string_view::npos) return Error("malformed line, expected MN value or MN query");
    const std::string mnemonic = CommandWord(line.substr(0, separator));
    if (mnemonic.empty()) return Error("malformed line, no command word");
    const int command = CommandTable::Find(mnemonic);
    if (command < 0) return Error("unknown command " + mnemonic);
    if (!ModelCommandSet::HasCommand(model_, command)) return Error(model_ + " has no command " + mnemonic);
    if (config_.refusedCommands.count(command) != 0) return Error(mnemonic + " refused");

    if (line[separator] == '?') {
        if (!Trim(line.substr(separator + 1)).empty()) return Error("malformed query " + mnemonic);
        return Query(command);
    }
    if (command == cmd::ID00 && !unlocked) return Error("ID00 is locked, send ULCK with the unlock code first");
    return Write(command, line.substr(separator + 1));
}

CameraModel::Reply CameraModel::Query(int command)
{
    const char* name = CommandTable::Mnemonic(command);
    auto text = [name](const std::string& value) { return Reply{std::string(name) + "=" + value + "\r\n", 0}; };
    switch (command) {
        case cmd::VN:
            return text(firmwareVersion_);
        case cmd::FPVN:
            return text(fpgaVersion_);
        case cmd::ID:
            return text(cameraId_);
        case cmd::UD:
            return text(userId_);
        case cmd::DVN:
            return text(kVendorName);
        case cmd::MD:
            return text(model_);
        case cmd::DV:
            return text(deviceVersion_);
        case cmd::HP:
            return text(kHelpText);
        default:
            break;
    }
    if (FindAction(command) || IsWrittenText(command)) return Error(StrFormat("%s cannot be queried", name));
    if (const auto forced = config_.forcedAnswers.find(command); forced != config_.forcedAnswers.end()) {
        return {StrFormat("%s=%d\r\n", name, forced->second), 0};
    }

    int value = parameters_.Get(command);
    if (command == cmd::CBDRT || command == cmd::SBDRT) {
        value = baudCode_;
    } else if (command == cmd::TMP0) {
        value = Temperature();
    } else if (IndexOf(kCounterValue, command) >= 0) {
        value = CounterValue(IndexOf(kCounterValue, command));
    } else if (IndexOf(kCounterStatus, command) >= 0) {
        value = CounterStatus(IndexOf(kCounterStatus, command));
    } else if (command == cmd::LUTG || command == cmd::LUTR || command == cmd::LUTB) {
        const int colour = command - cmd::LUTG;
        value = tables_.Lut(colour, parameters_.Get(cmd::LUTIG + colour));
    } else if (command == cmd::SDD) {
        const int table = parameters_.Get(cmd::SDM);
        if (table < 1 || table > CameraTables::kShadingTables) return Error("SDD needs SDM 1..3");
        value = tables_.Shading(table - 1, parameters_.Get(cmd::SDDS), parameters_.Get(cmd::SDDI) - 1);
    } else if (busyPollsLeft_[static_cast<std::size_t>(command)] > 0) {
        --busyPollsLeft_[static_cast<std::size_t>(command)];
        value = 0;  // still working
    }
    return {StrFormat("%s=%d\r\n", name, value), 0};
}

CameraModel::Reply CameraModel::Write(int command, std::string_view valueText)
{
    const char* name = CommandTable::Mnemonic(command);
    if (IsWrittenText(command)) return WriteText(command, valueText);
    if (IsReadOnly(command)) return Error(StrFormat("%s is read-only", name));
    long long value = 0;
    if (!ParseInteger(valueText, value)) return Error(StrFormat("%s value is not a whole number", name));
    if (const Action* action = FindAction(command)) {
        return WriteAction(*action, static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX)));
    }

    if (command == cmd::CBDRT) {
        const ValueRange range = parameters_.RangeOf(command, model_);
        if (!range.Accepts(value)) return Error(StrFormat("CBDRT %lld is not %s", value, range.Describe().c_str()));
        // Acknowledged at the old speed (the front end sends this answer before the switch takes hold).
        baudCode_ = static_cast<int>(value);
        parameters_.SetRaw(cmd::CBDRT, baudCode_);
        return Complete();
    }
    if (command == cmd::AWB && (value == 2 || value == 4)) {
        const ValueRange range = parameters_.RangeOf(command, model_);
        if (!range.Accepts(value)) return Error(StrFormat("AWB %lld is not %s", value, range.Describe().c_str()));
        return WhiteBalance(static_cast<int>(value));
    }
    if (command == cmd::LUTG || command == cmd::LUTR || command == cmd::LUTB) {
        if (value < 0 || value > CameraTables::kLutMax) {
            return Error(StrFormat("%s %lld out of range 0..%d", name, value, CameraTables::kLutMax));
        }
        const int colour = command - cmd::LUTG;
        tables_.SetLut(colour, parameters_.Get(cmd::LUTIG + colour), static_cast<int>(value));
        return Complete();
    }
    if (command == cmd::SDD) {
        const int table = parameters_.Get(cmd::SDM);
        if (table < 1 || table > CameraTables::kShadingTables) return Error("SDD needs SDM 1..3");
        if (value < CameraParameters::kShadingMin || value > CameraParameters::kShadingMax) {
            return Error(StrFormat("SDD %lld out of range %d..%d", value, CameraParameters::kShadingMin,
                                   CameraParameters::kShadingMax));
        }
        tables_.SetShading(table - 1, parameters_.Get(cmd::SDDS), parameters_.Get(cmd::SDDI) - 1,
                           static_cast<int>(value));
        return Complete();
    }
    if (!CameraParameters::IsSetting(command)) return Error(StrFormat("%s cannot be written", name));
    const int counter = IndexOf(kCounterSource, command);
    const int before = parameters_.Get(command);
    const std::string problem = parameters_.Write(command, value, model_);
    if (!problem.empty()) return Error(problem);
    // A counter starts over when its source changes.
    if (counter >= 0 && parameters_.Get(command) != before) counterStart_[static_cast<std::size_t>(counter)] = Now();
    return Complete();
}

CameraModel::Reply CameraModel::WriteText(int command, std::string_view text)
{
    switch (command) {
        case cmd::UD:
            if (text.size() > static_cast<std::size_t>(kUserIdMax)) {
                return Error(StrFormat("UD takes at most %d bytes, got %zu", kUserIdMax, text.size()));
            }
            userId_ = std::string(text);
            return Complete();
        case cmd::ID00:
            if (text.empty() || text.size() > static_cast<std::size_t>(kCameraIdMax) || !IsCleanText(text)) {
                return Error(StrFormat("ID00 takes 1 to %d characters without separators", kCameraIdMax));
            }
            cameraId_ = std::string(text);
            return Complete();
        case cmd::MD00:
            if (text.empty() || text.size() > static_cast<std::size_t>(kModelNameMax) || !IsCleanText(text)) {
                return Error(StrFormat("MD00 takes 1 to %d characters without separators", kModelNameMax));
            }
            // A new model id changes the command set and the rules; the settings are re-checked under it.
            model_ = std::string(text);
            parameters_.LoadStored(parameters_.All(), model_);
            return Complete();
        case cmd::DV00:
            if (!IsDottedVersion(text, kVersionPartMax)) return Error("DV00 takes four dotted parts like 1.0.2.3");
            deviceVersion_ = std::string(text);
            return Complete();
        default:
            return Error("not a text command");
    }
}

const CameraModel::Action* CameraModel::FindAction(int command)
{
    static const Action kActions[] = {
        {cmd::CRS00, 1, &CameraModel::ResetByCommand},
        {cmd::RS, 0, &CameraModel::MeasureShading},
        {cmd::PGR, 0, &CameraModel::StartCalibration},
        {cmd::PBR, 0, &CameraModel::StartCalibration},
        {cmd::PGR00, 0, &CameraModel::StartCalibration},
        {cmd::PBR00, 0, &CameraModel::StartCalibration},
        {cmd::SDR00, 0, &CameraModel::StartCalibration},
        {cmd::SA, kAnyValue, &CameraModel::StoreUserArea},
        {cmd::SA00, 0, &CameraModel::StoreFactoryArea},
        {cmd::LD, kAnyValue, &CameraModel::LoadArea},
        {cmd::ULCK, kAnyValue, &CameraModel::Unlock},
        // The written entries are in use as soon as they arrive; SDDU only closes the transfer.
        {cmd::SDDU, 0, &CameraModel::Acknowledge},
        {cmd::SDDA, 0, &CameraModel::StoreShading},
        {cmd::CR0, 0, &CameraModel::ResetCounter},
        {cmd::CR1, 0, &CameraModel::ResetCounter},
        {cmd::CR2, 0, &CameraModel::ResetCounter},
        {cmd::CR3, 0, &CameraModel::ResetCounter},
    };
    for (const Action& action : kActions) {
        if (action.command == command) return &action;
    }
    return nullptr;
}

CameraModel::Reply CameraModel::WriteAction(const Action& action, int value)
{
    if (action.onlyValue != kAnyValue && value != action.onlyValue) {
        return Error(StrFormat("%s takes only the value %d", CommandTable::Mnemonic(action.command), action.onlyValue));
    }
    return (this->*action.run)(action.command, value);
}

CameraModel::Reply CameraModel::ResetByCommand(int, int)
{
    Reset();
    return Complete();
}

CameraModel::Reply CameraModel::MeasureShading(int, int)
{
    const auto forced = config_.forcedResults.find(cmd::SDRS);
    const int result = forced != config_.forcedResults.end() ? forced->second : kShadingComplete;
    // The measurement goes into the user table the correction mode selects; with the correction off
    // the camera still measures but keeps nothing.
    const int table = parameters_.Get(cmd::SDM);
    if (result == kShadingComplete && table >= 1 && table <= CameraTables::kShadingTables) {
        tables_.Recalibrate(table - 1);
    }
    parameters_.SetRaw(cmd::SDRS, result);
    return {"COMPLETE\r\n", config_.rsMilliseconds};
}

CameraModel::Reply CameraModel::StartCalibration(int command, int)
{
    const int status = StatusOf(command);
    const auto forced = config_.forcedResults.find(status);
    parameters_.SetRaw(status, forced != config_.forcedResults.end() ? forced->second : kResultSucceeded);
    busyPollsLeft_[static_cast<std::size_t>(status)] = std::max(0, config_.busyPolls);
    return Complete();
}

CameraModel::Reply CameraModel::StoreUserArea(int, int area)
{
    if (area < 1 || area > 3) return Error(StrFormat("SA %d out of range 1..3, the factory area is SA00", area));
    StoreArea(area);
    lastStoredUserArea_ = area;
    return Complete();
}

CameraModel::Reply CameraModel::StoreFactoryArea(int, int)
{
    StoreArea(0);
    return Complete();
}

CameraModel::Reply CameraModel::LoadArea(int, int area)
{
    if (area < 0 || area > 3) return Error(StrFormat("LD %d out of range 0..3", area));
    parameters_.LoadStored(areas_[static_cast<std::size_t>(area)], model_);
    parameters_.SetRaw(cmd::EA, area);
    return Complete();
}

CameraModel::Reply CameraModel::Unlock(int, int code)
{
    if (code != config_.unlockCode) return Error("ULCK wrong unlock code");
    unlocked_ = true;
    return Complete();
}

CameraModel::Reply CameraModel::Acknowledge(int, int) { return Complete(); }

CameraModel::Reply CameraModel::StoreShading(int, int)
{
    tables_.StoreShading();
    return Complete();
}

CameraModel::Reply CameraModel::ResetCounter(int command, int)
{
    counterStart_[static_cast<std::size_t>(IndexOf(kCounterReset, command))] = Now();
    return Complete();
}

CameraModel::Reply CameraModel::WhiteBalance(int mode)
{
    const int resultCommand = mode == 2 ? cmd::AWRS : cmd::AHRS;
    if (mode == 4) {
        // Balancing by exposure needs timed, per-colour exposure.
        if (parameters_.Get(cmd::TR) != 1) return Error("AWB 4 needs TR 1 (timed exposure)");
        if (parameters_.Get(cmd::ETM) != 1) return Error("AWB 4 needs ETM 1 (exposure per colour)");
    }
    const auto forced = config_.forcedResults.find(resultCommand);
    const int result = forced != config_.forcedResults.end() ? forced->second : kResultSucceeded;
    if (result == kResultSucceeded) {
        CameraParameters::Values values = parameters_.All();
        if (mode == 2) {
            values[cmd::GAR] = kRedGainCorrection;
            values[cmd::GAB] = kBlueGainCorrection;
        } else {
            const long long green = parameters_.Get(cmd::PEG);
            values[cmd::PER] = static_cast<int>(green * kRedGainCorrection / 100);
            values[cmd::PEB] = static_cast<int>(green * kBlueGainCorrection / 100);
        }
        // Re-applying the rules clamps the results into the ranges of the current modes.
        parameters_.LoadStored(values, model_);
    }
    parameters_.SetRaw(resultCommand, result);
    parameters_.SetRaw(cmd::AWB, 0);  // a one-shot balance falls back to "Off" when it ends
    return {"COMPLETE\r\n", config_.awbMilliseconds};
}

void CameraModel::StoreArea(int area) { areas_[static_cast<std::size_t>(area)] = parameters_.All(); }

int CameraModel::CounterValue(int counter) const
{
    if (parameters_.Get(kCounterSource[counter]) == 0) return 0;
    // One count per line at the current line period (10 ns steps).
    const long long elapsedMs = std::max<long long>(0, Now() - counterStart_[static_cast<std::size_t>(counter)]);
    const long long lines = elapsedMs * 100000 / std::max(1, parameters_.Get(cmd::LR));
    return static_cast<int>(std::min<long long>(lines, INT_MAX));
}

int CameraModel::CounterStatus(int counter) const
{
    if (parameters_.Get(kCounterSource[counter]) == 0) return kCounterIdle;
    return CounterValue(counter) == INT_MAX ? kCounterOverflow : kCounterActive;
}

// The main board warms up by one degree a minute from 38 to 46 degrees Celsius after power-up.
int CameraModel::Temperature() const
{
    const long long minutes = std::max<long long>(0, Now() - powerUpMs_) / 60000;
    return 38 + static_cast<int>(std::min<long long>(minutes, 8));
}

CameraModel::Reply CameraModel::Complete() const { return {"COMPLETE\r\n", 0}; }

CameraModel::Reply CameraModel::Error(const std::string& reason)
{
    // An error line never carries "=" or "?": the PC would take it for an answer or an echo.
    std::string text = "ERROR: " + reason;
    std::replace(text.begin(), text.end(), '=', ' ');
    std::replace(text.begin(), text.end(), '?', ' ');
    return {text + "\r\n", 0};
}

}  // namespace camsim
