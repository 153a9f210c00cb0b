// Parameter ranges and the dependency rules of the simulated camera.
#include "camsim/CameraParameters.h"

#include "base/StrFormat.h"
#include "camsim/CameraDataSheet.h"
#include "camsim/ModelCommandSet.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace camsim {
namespace {

// Line period needed to move one line of 4096 pixels over the Camera Link cable at 85 MHz, by tap
// configuration (Base, Medium, Full, Eighty carry 1, 2, 2.67 and 3.33 RGB8 pixels per clock) and pixel
// format (RGB8, RGB10).
constexpr int kTransferPeriod[4][2] = {{4820, 6030}, {2410, 3020}, {1810, 2260}, {1450, 1810}};
constexpr int kSensorPeriodMin = 1400;  // the sensor's own read-out limit, about 71 kHz
constexpr int kLineRateMode2Extra = 400;  // Mode2 does not overlap exposure and read-out
constexpr int kOffsetMargin = 16;  // OFC and AWBO stop 16 pixels before the edge, as the tables say

// Gain ranges of the red and blue gains: one gain for all colours (percent of the white balance), or
// individual colour gains.
constexpr int kCommonGainRange[2] = {40, 400};
constexpr int kIndividualGainRange[2] = {100, 1600};

// The data sheet's first row of the command with a value (not an action); nullptr if none.
const SheetRow* ValueRow(int commandIndex)
{
    for (const SheetRow& row : CameraDataSheet::Rows()) {
        if (row.commandIndex == commandIndex && row.kind != CameraDataSheet::kKindButton) return &row;
    }
    return nullptr;
}

bool IsExposure(int command)
{
    return command == cmd::PE || command == cmd::PER || command == cmd::PEG || command == cmd::PEB;
}

bool IsColourExposure(int command) { return command == cmd::PER || command == cmd::PEG || command == cmd::PEB; }

int RoundToStep(int value, int step) { return value - value % step; }

// Unbound commands with a value the camera keeps: their ranges and power-up values.
struct ExtraSetting {
    int command;
    int minimum;
    int maximum;
    int initial;
};
constexpr ExtraSetting kExtraSettings[] = {
    {cmd::EB, 0, 1, 0},    {cmd::SDDS, 0, 2, 0},  {cmd::SDDI, 1, 1024, 1}, {cmd::GA00, 100, 800, 100},
    {cmd::PGC00, 0, 4, 0}, {cmd::PBC00, 0, 4, 0}, {cmd::ST00, 0, 255, 0},  {cmd::XMLVR, 0, 999, 0},
};

const ExtraSetting* FindExtra(int command)
{
    for (const ExtraSetting& extra : kExtraSettings) {
        if (extra.command == command) return &extra;
    }
    return nullptr;
}

}  // namespace

bool ValueRange::Accepts(long long value) const
{
    if (!codes.empty()) return std::find(codes.begin(), codes.end(), value) != codes.end();
    return value >= minimum && value <= maximum;
}

std::string ValueRange::Describe() const
{
    if (codes.empty()) return StrFormat("%d..%d", minimum, maximum);
    std::string text = "one of ";
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (i > 0) text += ", ";
        text += std::to_string(codes[i]);
    }
    return text;
}

CameraParameters::CameraParameters() { Reset(""); }

void CameraParameters::Reset(std::string_view model)
{
    values_.fill(0);
    for (const SheetRow& row : CameraDataSheet::Rows()) {
        if (row.kind != CameraDataSheet::kKindButton && ValueRow(row.commandIndex) == &row) {
            SetRaw(row.commandIndex, row.value);
        }
    }
    for (const ExtraSetting& extra : kExtraSettings) SetRaw(extra.command, extra.initial);
    SetRaw(cmd::CBDRT, 1);
    // The sheet's 0 for the line period and the exposures stands for "as fast as the configuration
    // allows"; Normalize lifts them to the first valid values.
    Normalize(model);
}

int CameraParameters::IsSetting(int commandIndex)
{
    if (FindExtra(commandIndex)) return 1;
    return ValueRow(commandIndex) ? 1 : 0;
}

int CameraParameters::IsStored(int commandIndex)
{
    switch (commandIndex) {
        case cmd::CBDRT:  // the speed is the link's, not the settings'
        case cmd::BAS00:  // chooses among the areas, so it cannot live in one
        case cmd::LUTIG:
        case cmd::LUTIR:
        case cmd::LUTIB:
        case cmd::LUTG:
        case cmd::LUTR:
        case cmd::LUTB:
        case cmd::SDDS:
        case cmd::SDDI:
        case cmd::XMLVR:
        case cmd::TMPS0:
            return 0;
        default:
            return IsSetting(commandIndex);
    }
}

ValueRange CameraParameters::RangeOf(int commandIndex, std::string_view model) const
{
    const int width = WidthLimit();
    switch (commandIndex) {
        case cmd::CBDRT:
            return {0, 0, {1, 2, 4, 8, 16}};
        case cmd::LR:
            return {Get(cmd::LRMIN), kLinePeriodMax, {}};
        case cmd::PE:
        case cmd::PER:
        case cmd::PEG:
        case cmd::PEB:
            return {Get(cmd::PEMIN), Get(cmd::PEMAX), {}};
        case cmd::WTC:
        case cmd::AWBW:
            return {kWidthStep, width, {}};
        case cmd::OFC:
        case cmd::AWBO:
            return {0, width - kOffsetMargin, {}};
        case cmd::GAR:
        case cmd::GAB: {
            const int* range = Get(cmd::GM) == 1 ? kIndividualGainRange : kCommonGainRange;
            return {range[0], range[1], {}};
        }
        case cmd::LUTIG:
        case cmd::LUTIR:
        case cmd::LUTIB:
            // The page's index spin reaches 256, one past the table; the camera has entries 0..255 only.
            return {0, kLutEntries - 1, {}};
        case cmd::ENCDIV:
            return {1, 65535, {}};
        default:
            break;
    }
    if (const ExtraSetting* extra = FindExtra(commandIndex)) return {extra->minimum, extra->maximum, {}};
    if (std::vector<int> codes = ModelCommandSet::SelectionCodes(commandIndex, model); !codes.empty()) {
        return {0, 0, std::move(codes)};
    }
    if (const SheetRow* row = ValueRow(commandIndex)) return {row->minimum, row->maximum, {}};
    return {0, 0, {}};
}

std::string CameraParameters::Write(int commandIndex, long long value, std::string_view model)
{
    std::string refusal = RefusalOf(commandIndex, value, model);
    if (!refusal.empty()) return refusal;
    const int old = Get(commandIndex);
    const int v = Adjusted(commandIndex, static_cast<int>(value));
    SetRaw(commandIndex, v);
    ApplyLinked(commandIndex, v, old);
    Normalize(model);
    return {};
}

std::string CameraParameters::RefusalOf(int commandIndex, long long value, std::string_view model) const
{
    const char* name = CommandTable::Mnemonic(commandIndex);
    const ValueRange range = RangeOf(commandIndex, model);
    if (!range.Accepts(value)) {
        if (!range.codes.empty()) return StrFormat("%s %lld is not %s", name, value, range.Describe().c_str());
        return StrFormat("%s %lld out of range %s", name, value, range.Describe().c_str());
    }
    // In free-run (TR 0) the exposure fills the line period; the exposure values only follow it.
    if (IsExposure(commandIndex) && Get(cmd::TR) == 0 && value != Get(commandIndex)) {
        return StrFormat("%s follows the line period while TR is 0", name);
    }
    // With one exposure time for all colours (ETM 0) the colour exposures follow PE.
    if (IsColourExposure(commandIndex) && Get(cmd::ETM) == 0 && value != Get(cmd::PE)) {
        return StrFormat("%s follows PE while ETM is 0", name);
    }
    return {};
}

int CameraParameters::Adjusted(int commandIndex, int v) const
{
    // Widths and offsets go in whole steps and keep the window inside the sensor.
    const int width = WidthLimit();
    switch (commandIndex) {
        case cmd::WTC:
            return std::min(RoundToStep(v, kWidthStep), width - Get(cmd::OFC));
        case cmd::AWBW:
            return std::min(RoundToStep(v, kWidthStep), width - Get(cmd::AWBO));
        case cmd::OFC:
            return std::min(RoundToStep(v, kWidthStep), width - Get(cmd::WTC));
        case cmd::AWBO:
            return std::min(RoundToStep(v, kWidthStep), width - Get(cmd::AWBW));
        default:
            return v;
    }
}

void CameraParameters::ApplyLinked(int commandIndex, int v, int old)
{
    switch (commandIndex) {
        case cmd::PE:
            if (Get(cmd::ETM) == 0) SetExposures(v);
            break;
        case cmd::PEG:
            // Red and blue exposures interlocked with green keep their ratio to it.
            if (Get(cmd::ETM) == 1 && Get(cmd::EI) == 1 && old > 0) {
                SetRaw(cmd::PER, ClampExposure(static_cast<int>(static_cast<long long>(Get(cmd::PER)) * v / old)));
                SetRaw(cmd::PEB, ClampExposure(static_cast<int>(static_cast<long long>(Get(cmd::PEB)) * v / old)));
            }
            break;
        case cmd::TR:
            // Trigger-width exposure needs the trigger on and a level activation.
            if (v == 2) {
                SetRaw(cmd::TM, 1);
                if (Get(cmd::TA) < 2) SetRaw(cmd::TA, 2);
            }
            break;
        case cmd::GM:
            // Individual gains replace the white balance presets.
            if (v == 1 && Get(cmd::AWB) >= 5) SetRaw(cmd::AWB, 0);
            break;
        case cmd::AWB:
            if (v >= 5 && v <= 7) {
                const int preset = v - 5;
                SetRaw(cmd::GAR, Get(cmd::WB0R + 2 * preset));
                SetRaw(cmd::GAB, Get(cmd::WB0B + 2 * preset));
            }
            break;
        default:
            break;
    }
}

void CameraParameters::LoadStored(const Values& stored, std::string_view model)
{
    for (int command = 0; command < CommandTable::kCount; ++command) {
        if (IsStored(command)) SetRaw(command, stored[static_cast<std::size_t>(command)]);
    }
    Normalize(model);
}

int CameraParameters::WidthLimit() const { return kSensorWidth / std::max(1, Get(cmd::HB)); }

int CameraParameters::ClampExposure(int value) const { return std::clamp(value, Get(cmd::PEMIN), Get(cmd::PEMAX)); }

void CameraParameters::SetExposures(int value)
{
    for (int command : {cmd::PE, cmd::PER, cmd::PEG, cmd::PEB}) SetRaw(command, value);
}

// Brings every derived value and every dependent parameter in line with the others. Idempotent.
void CameraParameters::Normalize(std::string_view model)
{
    int tap = 0;
    switch (Get(cmd::CLCFG)) {
        case 1:
            tap = 1;
            break;
        case 2:
            tap = 2;
            break;
        case 4:
            tap = 3;
            break;
        default:
            tap = 0;
            break;
    }
    const int format = Get(cmd::BA) == 1 ? 1 : 0;
    int lineMin = std::max(kSensorPeriodMin, kTransferPeriod[tap][format]);
    if (ModelCommandSet::HasCommand(model, cmd::LROP) && Get(cmd::LROP) == 1) lineMin += kLineRateMode2Extra;
    SetRaw(cmd::LRMIN, lineMin);
    SetRaw(cmd::LR, std::clamp(Get(cmd::LR), lineMin, kLinePeriodMax));
    SetRaw(cmd::PEMIN, kExposureMin);
    SetRaw(cmd::PEMAX, Get(cmd::LR) - kExposureGap);

    if (Get(cmd::TR) == 0) {
        SetExposures(Get(cmd::PEMAX));
    } else {
        for (int command : {cmd::PE, cmd::PER, cmd::PEG, cmd::PEB}) SetRaw(command, ClampExposure(Get(command)));
        if (Get(cmd::ETM) == 0) SetExposures(Get(cmd::PE));
    }

    const int width = WidthLimit();
    const std::pair<int, int> windows[] = {{cmd::WTC, cmd::OFC}, {cmd::AWBW, cmd::AWBO}};
    for (const auto& [widthCommand, offsetCommand] : windows) {
        const int w = std::clamp(RoundToStep(Get(widthCommand), kWidthStep), kWidthStep, width);
        SetRaw(widthCommand, w);
        const int offset = std::clamp(RoundToStep(Get(offsetCommand), kWidthStep), 0, width - kOffsetMargin);
        SetRaw(offsetCommand, std::min(offset, width - w));
    }

    const int* gains = Get(cmd::GM) == 1 ? kIndividualGainRange : kCommonGainRange;
    for (int command : {cmd::GAR, cmd::GAB}) SetRaw(command, std::clamp(Get(command), gains[0], gains[1]));
}

}  // namespace camsim
