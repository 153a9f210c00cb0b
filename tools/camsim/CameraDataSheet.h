// The camera's parameter data sheet, kept by hand apart from the tool's own tables so that each checks the
// other: every page control's command with its kind, limits and power-up value, the codes each selection
// accepts (with the two models' variants), and the commands each model lacks. Commands are named by
// mnemonic; a row also carries the command's index as the camera documents it.
#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace camsim {

struct SheetRow {
    int row;
    int controlId;
    const char* mnemonic;
    int commandIndex;
    int kind;  // 4 selection, 6 number, 7 action without a value
    int group;  // 0 action, 1 user, 2 factory
    int minimum;
    int maximum;
    int value;  // power-up default
    int storedInFile;
};

// The codes of one selection; `model` empty for the list every other model has.
struct SheetCodes {
    std::string_view model;
    const char* mnemonic;
    std::vector<int> codes;
};

struct SheetMissing {
    std::string_view model;
    std::string_view mnemonics;  // separated by single spaces
};

class CameraDataSheet {
public:
    static constexpr int kKindCombo = 4;
    static constexpr int kKindEdit = 6;
    static constexpr int kKindButton = 7;

    static std::span<const SheetRow> Rows();
    // The common lists first, then the per-model lists that replace them on that model.
    static const std::vector<SheetCodes>& Codes();
    static std::span<const SheetMissing> Missing();
};

}  // namespace camsim
