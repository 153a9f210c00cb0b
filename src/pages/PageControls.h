// The generic page-control layer: classifying a control, finding it on the pages, reading the value it
// shows and showing a value in it, and the start-up set-up of spins and combo boxes.
#pragma once

#include <cstdint>
#include <string_view>

class ControlTable;
class QWidget;
class CTabSheetDialog;

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

// The pages FindPageControl searches, in page order (the order they register in), and the main
// window, searched last. Pages register themselves; the main window sets itself.
void RegisterPage(CTabSheetDialog* page);
void UnregisterPage(CTabSheetDialog* page);
void SetMainWindow(QWidget* mainWindow);

// The first page holding a control with this id, in page order; else the main window's own control.
QWidget* FindPageControl(int controlId);

// -1 when the control is not found, is a push button or of class 0 or 4, or shows no value.
int ReadControlValue(int controlId);
// 1 when the value is shown, 0 when the control is not found or cannot show a value.
int ShowValue(int controlId, int value);

// Shows or hides a page control together with its spin, and the labels and group boxes that belong
// to it follow (a label shows while any of its controls does, a group box while any of its controls
// does). Gives 0 when the control is not found.
int ShowPageControl(int controlId, bool show);

// Every spin gets its range from the control table (one wider at each end with spinMargin 1).
void SetSpinRanges(const ControlTable& table);
// The combo boxes whose camera codes are not their indexes get the codes as item data.
void InitComboItemData();
// Model-dependent entries of Exposure Time Mode, CL Clock and White Balance Mode. modelCode 0 is
// "RV-8200-B1", 1 is "RV-8200-A1"; any other code changes nothing.
void ApplyModelVariants(int modelCode);

// An edit's text as a decimal integer the way the pages read it: leading blanks and sign, then the
// leading digits; no digits gives 0; values past the 32-bit range stop at its ends.
int ParseLeadingInt(std::string_view text);
