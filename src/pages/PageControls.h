// What kind of value control a widget of the pages is, and how the pages read a number from an edit box.
#pragma once

#include <string_view>

class QWidget;

// ControlClass codes.
enum ControlClassCode : int {
    kClassOther = 0,
    kClassEdit = 1,
    kClassUpDown = 2,
    kClassComboBox = 3,
    kClassButtonOther = 4,  // group box and the other button styles
    kClassPushButton = 5,
    kClassCheckBox = 6,
    kClassRadioButton = 7,
};

int ControlClass(const QWidget* window);

// An edit's text as a decimal integer the way the pages read it: leading blanks and sign, then the
// leading digits; no digits gives 0; values past the 32-bit range stop at its ends.
int ParseLeadingInt(std::string_view text);
