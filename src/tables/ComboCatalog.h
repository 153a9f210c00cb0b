// The entries of every combo box on the parameter pages and the camera codes behind them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// One combo box's list as the page template holds it. When `codes` is empty, an entry's camera
// code is its index; otherwise codes[i] is entry i's item data (set once at start-up).
struct ComboList {
    int commandIndex;
    std::vector<std::string> entries;
    std::vector<int> codes;
};

// The list of the combo box bound to a command, or nullptr when no combo box is bound to it.
const ComboList* FindComboList(int commandIndex);

// Every combo list, in no particular order.
const std::vector<ComboList>& AllComboLists();

// The list after the model-dependent changes: on "RV-8200-A1" Exposure Time Mode has "Indivisual",
// CL Clock lacks "31.875MHz" and White Balance Mode has "Exposure Once" (codes 0, 2, 4, 5, 6, 7); on
// "RV-8200-B1" the reverse (White Balance codes 0, 2, 5, 6, 7). Any other model: the template list.
ComboList ComboListForModel(int commandIndex, std::string_view model);

// The camera codes a combo box of this command can give on this model; empty when none is bound.
std::vector<int> ComboCodesForModel(int commandIndex, std::string_view model);

inline constexpr std::string_view kModelA1 = "RV-8200-A1";
inline constexpr std::string_view kModelB1 = "RV-8200-B1";
