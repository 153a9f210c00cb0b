// The one way the tool reaches its page controls: by control id, with values, texts, enable states and
// spin ranges. The main window owns one binding, adds its pages to it and hands it by reference to the
// reader and the operations, which never see a widget type.
#pragma once

#include <QPointer>

#include <string>
#include <string_view>
#include <vector>

class ControlTable;
class CTabSheetDialog;
class QWidget;

class PageBinding {
public:
    // The pages are searched in the order they are added, then the main window's own controls (not those
    // of the pages and dialogs it owns). A page that is destroyed drops out by itself.
    void AddPage(CTabSheetDialog& page);
    void SetMainWindow(QWidget* window);

    // The first page control with this id; nullptr when there is none. For the page layer, the main
    // window and tests; the operations go through the typed calls below.
    QWidget* Control(int controlId) const;
    bool Has(int controlId) const { return Control(controlId) != nullptr; }

    // The value a control shows, in the control table's terms: an edit's leading number, a spin's
    // position, a combo box's code, a check box 0/1, a radio group's position. -1 when the control is
    // missing or shows no value (push button, label, group box).
    int Value(int controlId) const;
    // Shows a value in the control; false when it is missing or cannot show that value. A combo box
    // without an entry for the code shows the number itself ("4 (unknown)") and reads back as it.
    bool ShowValue(int controlId, int value);
    // An edit box and its spin at a value together (the spin limited to its range, the text not).
    void ShowEditValue(int editId, int value);
    // The selected entry's position in a combo box; -1 for none, an unknown code or no combo box.
    int Selection(int comboId) const;
    // Selects a combo box's entry by position; -1 or a position past the end selects none.
    void Select(int comboId, int position);

    // The text of an edit box or a label; empty for other controls.
    std::string Text(int controlId) const;
    void SetText(int controlId, std::string_view text);

    // Enables or disables the control, and an edit box's spin with it.
    void Enable(int controlId, bool enable);
    bool IsEnabled(int controlId) const;
    // Shows or hides a control with its spin; its labels and group boxes follow. False when missing.
    bool ShowControl(int controlId, bool show);
    // Redraws the page that holds the control.
    void Repaint(int controlId);

    // The range of an edit box's spin; false when the edit has no spin.
    bool SpinRange(int editId, int& minimum, int& maximum) const;
    void SetSpinRange(int editId, int minimum, int maximum);
    // The position of an edit box's spin; 0 without a spin.
    int SpinValue(int editId) const;
    // The edit box a spin steps (its buddy); 0 when there is none.
    int EditOfSpin(int spinId) const;

    // Start-up: every spin's range from the control table (one wider at each end with spinMargin 1), the
    // camera codes of the combo boxes whose codes are not their positions.
    void SetSpinRanges(const ControlTable& table);
    void InitComboItemData();
    // Model-dependent entries of Exposure Time Mode, CL Clock and White Balance Mode. modelCode 0 is
    // "RV-8200-B1", 1 is "RV-8200-A1"; any other code changes nothing.
    void ApplyModelVariants(int modelCode);

private:
    QWidget* SpinOfEdit(int editId) const;
    CTabSheetDialog* PageOf(int controlId) const;

    std::vector<QPointer<CTabSheetDialog>> pages_;
    QPointer<QWidget> mainWindow_;
};
