// Control classes and the reading of numbers from edit boxes.
#include "pages/PageControls.h"

#include "framework/qt/ControlWindow.h"

#include <algorithm>
#include <limits>

int ControlClass(const QWidget* window)
{
    switch (GetWindowClass(window)) {
        case WindowClass::Edit:
            return kClassEdit;
        case WindowClass::UpDown:
            return kClassUpDown;
        case WindowClass::ComboBox:
            return kClassComboBox;
        case WindowClass::Button:
            switch (GetButtonStyle(window)) {
                case ButtonStyle::PushButton:
                case ButtonStyle::DefaultPushButton:
                    return kClassPushButton;
                case ButtonStyle::CheckBox:
                    return kClassCheckBox;
                case ButtonStyle::RadioButton:
                    return kClassRadioButton;
                default:
                    return kClassButtonOther;
            }
        case WindowClass::Other:
            break;
    }
    return kClassOther;
}

int ParseLeadingInt(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    constexpr long long kLimit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min(value * 10 + (text[i] - '0'), kLimit);
    }
    if (negative) value = -value;
    return static_cast<int>(
        std::clamp<long long>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}
