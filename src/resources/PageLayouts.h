// Layout of every parameter page as plain data: groups, rows and controls the page widgets are built from.
#pragma once

#include <string>
#include <vector>

// One control in a row. Controls of a row stand left to right after the row's label.
enum class ItemKind { Combo, EditSpin, Edit, ReadOnlyEdit, Button, Static, CheckBox, Radio };

struct LayoutItem {
    int controlId;  // the control's id (edit id for EditSpin); 0 for a static that has none
    ItemKind kind;
    int spinId = 0;  // EditSpin: the up-down's id (edit id + 1, except Gain All's spin 1045)
    int comboCommand = -1;  // Combo: the command whose list ComboCatalog gives (FindComboList); -1: `entries`
    std::vector<std::string> entries{};  // Combo entries when comboCommand is -1 (e.g. Camera Model, Tilted View)
    std::string text{};  // Button/Static/CheckBox/Radio caption; initial text of a plain Edit
    int width = 0;  // preferred width in pixels, 0 = the kind's default
};

struct LayoutRow {
    std::string label;  // caption left of the controls ("" = none)
    int labelId = 0;  // the label's own control id where it has one (Gamma Selector's label is 1141)
    std::vector<LayoutItem> items{};
};

struct LayoutGroup {
    std::string caption;  // group box caption as the page shows it
    int column = 0;  // which column of the page the group stands in (0, 1, 2 ...)
    std::vector<LayoutRow> rows{};
    std::vector<LayoutGroup> subgroups{};  // nested group boxes (e.g. "Lens1" inside Chromatic Aberation Correction)
};

struct PageLayout {
    int templateId;  // 111 .. 117
    std::string caption;  // "User A" ...; "Factory A" for 117
    bool factoryOnly;  // 117 only
    bool created;  // false for 116, a template the main window never creates
    std::vector<LayoutGroup> groups{};
};

const std::vector<PageLayout>& PageLayouts();  // all seven templates in id order 111..117
const PageLayout* FindPageLayout(int templateId);

// Where a control stands as the operator sees it: the page's caption, the group box's (the innermost one)
// and the row's label. Empty texts when no created page holds the control.
struct ControlPlace {
    std::string page;
    std::string group;
    std::string label;
};
ControlPlace PlaceOfControl(int controlId);
