// The result texts, as the operators know them from the camera's manual (spellings included).
#include "operations/ResultTexts.h"

#include <array>

namespace {

constexpr const char* kUnknown = "Unknown Result";

template <std::size_t N>
std::string FromList(const std::array<const char*, N>& texts, int first, int code, const char* otherwise)
{
    const int index = code - first;
    return index >= 0 && index < static_cast<int>(N) ? texts[static_cast<std::size_t>(index)] : otherwise;
}

}  // namespace

std::string WhiteBalanceResultText(int code)
{
    static constexpr std::array<const char*, 5> kTexts = {"Succeeded", "Error1 - G image was too bright",
                                                          "Error2 - G image was too dark",
                                                          "Error3 - Timeout-error occurred", "IDLE"};
    return FromList(kTexts, 1, code, kUnknown);
}

std::string ShadingResultText(int code)
{
    static constexpr std::array<const char*, 5> kTexts = {"Condition_Error", "Too Dark", "Too Bright",
                                                          "Correction Limit", "Complete"};
    return FromList(kTexts, 0, code, kUnknown);
}

std::string CalibrationResultText(int code)
{
    static constexpr std::array<const char*, 5> kTexts = {"Busy", "Succeeded", "Too Bright", "Too Dark",
                                                          "Timeout Error"};
    return FromList(kTexts, 0, code, kUnknown);
}

std::string CounterStatusText(int code)
{
    switch (code) {
        case 0:
            return "Counter Idle";
        case 2:
            return "Counter Active";
        case 4:
            return "Counter Overflow";
        default:
            return "---";
    }
}
