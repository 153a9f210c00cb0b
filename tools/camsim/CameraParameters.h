// The camera's integer parameters: values, their ranges on each model, and the rules that tie them together.
#pragma once

#include "tables/CommandTable.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace camsim {

// The values a parameter accepts: a closed interval, or (for selections) a list of codes.
struct ValueRange {
    int minimum = 0;
    int maximum = 0;
    std::vector<int> codes;  // not empty: only these values

    bool Accepts(long long value) const;
    std::string Describe() const;  // "100..800" or "one of 0, 2, 4"
};

// Units of the timing parameters: LR, LRMIN, PE, PER, PEG, PEB, PEMAX and PEMIN count 10 ns steps.
class CameraParameters {
public:
    using Values = std::array<int, CommandTable::kCount>;

    static constexpr int kLinePeriodMax = 1000000;  // 10 ms: 100 lines per second
    static constexpr int kExposureMin = 150;  // 1.5 us
    static constexpr int kExposureGap = 100;  // the exposure ends 1 us before the next line starts
    static constexpr int kSensorWidth = 4096;
    static constexpr int kWidthStep = 8;
    static constexpr int kLutEntries = 256;
    static constexpr int kShadingEntries = 1024;
    static constexpr int kShadingMin = -4096;
    static constexpr int kShadingMax = 4095;

    CameraParameters();

    // Every parameter back at its power-up default for this model.
    void Reset(std::string_view model);

    int Get(int commandIndex) const { return values_[static_cast<std::size_t>(commandIndex)]; }
    // Stores a value without checks (result codes, counters and the other values the camera reports).
    void SetRaw(int commandIndex, int value) { values_[static_cast<std::size_t>(commandIndex)] = value; }

    // A write from the PC: checks the value against the range and the rules, stores it (adjusted where the
    // camera adjusts, e.g. widths to whole steps) and updates the parameters that depend on it. Returns an
    // empty text when accepted, else the reason, for an "ERROR" line.
    std::string Write(int commandIndex, long long value, std::string_view model);

    // The values the command accepts now on this model.
    ValueRange RangeOf(int commandIndex, std::string_view model) const;

    // 1 for the writable integer parameters this class keeps (the others are actions, texts, tables and
    // reported values that the camera model handles itself).
    static int IsSetting(int commandIndex);
    // 1 for the parameters a flash area keeps.
    static int IsStored(int commandIndex);

    // Flash areas hold a copy of the values; loading one takes the stored parameters and re-applies the rules.
    const Values& All() const { return values_; }
    void LoadStored(const Values& stored, std::string_view model);

private:
    // The reason the camera refuses this write now, or an empty text.
    std::string RefusalOf(int commandIndex, long long value, std::string_view model) const;
    // The value as the camera stores it (widths to whole steps inside the sensor).
    int Adjusted(int commandIndex, int value) const;
    // Updates the parameters tied to one just written (old is its value before).
    void ApplyLinked(int commandIndex, int value, int old);
    void Normalize(std::string_view model);
    void SetExposures(int value);
    int ClampExposure(int value) const;
    int WidthLimit() const;

    Values values_{};
};

}  // namespace camsim
