// The tool's own tables against the simulated camera's data sheet, row by row: every difference is named.
#include "camsim/CameraDataSheet.h"
#include "tables/CameraModelInfo.h"
#include "tables/ComboCatalog.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace camsim {
namespace {

// Differences the tool keeps on purpose. The LUT index spins stop at the last of the 256 entries; the
// sheet's 256 would let the operator send an index the camera does not have.
const std::vector<std::string> kDeliberate = {
    "row 64 LUTIG: maximum is 255 in the tool, 256 on the data sheet",
    "row 65 LUTIR: maximum is 255 in the tool, 256 on the data sheet",
    "row 66 LUTIB: maximum is 255 in the tool, 256 on the data sheet",
};

std::string Join(const std::vector<int>& codes)
{
    std::string text;
    for (int code : codes) text += (text.empty() ? "" : " ") + std::to_string(code);
    return "{" + text + "}";
}

void RowDifferences(std::vector<std::string>& found)
{
    for (const SheetRow& sheet : CameraDataSheet::Rows()) {
        const ControlEntry& row = ControlTable::Defaults()[static_cast<std::size_t>(sheet.row)];
        const std::string name = "row " + std::to_string(sheet.row) + " " + sheet.mnemonic + ": ";
        const std::pair<const char*, std::pair<int, int>> fields[] = {
            {"control id", {row.controlId, sheet.controlId}},
            {"command", {row.commandIndex, sheet.commandIndex}},
            {"command index of the mnemonic", {CommandTable::Find(sheet.mnemonic), sheet.commandIndex}},
            {"kind", {row.controlKind, sheet.kind}},
            {"group", {row.group, sheet.group}},
            {"minimum", {row.minimum, sheet.minimum}},
            {"maximum", {row.maximum, sheet.maximum}},
            {"default", {row.value, sheet.value}},
            {"stored in file", {row.storedInFile, sheet.storedInFile}},
            {"spin margin", {row.spinMargin, 0}},
            {"shadow", {row.shadow, 0}},
        };
        for (const auto& [field, values] : fields) {
            if (values.first == values.second) continue;
            found.push_back(name + field + " is " + std::to_string(values.first) + " in the tool, " +
                            std::to_string(values.second) + " on the data sheet");
        }
    }
}

void CodeDifferences(std::vector<std::string>& found)
{
    for (const SheetCodes& sheet : CameraDataSheet::Codes()) {
        const std::string tool = Join(ComboCodesForModel(CommandTable::Find(sheet.mnemonic), sheet.model));
        const std::string model = sheet.model.empty() ? "any model" : std::string(sheet.model);
        if (tool != Join(sheet.codes)) {
            found.push_back(std::string(sheet.mnemonic) + " on " + model + ": codes " + tool + " in the tool, " +
                            Join(sheet.codes) + " on the data sheet");
        }
    }
    for (const ComboList& list : AllComboLists()) {
        const auto same = [&list](const SheetCodes& sheet) {
            return CommandTable::Find(sheet.mnemonic) == list.commandIndex;
        };
        if (std::none_of(CameraDataSheet::Codes().begin(), CameraDataSheet::Codes().end(), same)) {
            found.push_back(std::string(CommandTable::Mnemonic(list.commandIndex)) + ": a selection of the tool only");
        }
    }
}

void ModelDifferences(std::vector<std::string>& found)
{
    for (const SheetMissing& sheet : CameraDataSheet::Missing()) {
        const int code = sheet.model == kModelA1 ? kModelCodeA1 : kModelCodeB1;
        const std::string lacks = " " + std::string(sheet.mnemonics) + " ";
        for (int command = 0; command < CommandTable::kCount; ++command) {
            const std::string mnemonic = CommandTable::Mnemonic(command);
            const int sheetHas = lacks.find(" " + mnemonic + " ") == std::string::npos ? 1 : 0;
            if (IsSupportedOnModel(command, code) == sheetHas) continue;
            found.push_back(std::string(sheet.model) + " " + mnemonic + ": " + (sheetHas ? "missing" : "present") +
                            " in the tool, " + (sheetHas ? "present" : "missing") + " on the data sheet");
        }
    }
}

TEST(DataSheet, ToolTablesDifferOnlyWhereMeant)
{
    ASSERT_EQ(CameraDataSheet::Rows().size(), static_cast<std::size_t>(ControlTable::kRowCount));
    std::vector<std::string> found;
    RowDifferences(found);
    CodeDifferences(found);
    ModelDifferences(found);
    for (const std::string& difference : found) {
        if (std::find(kDeliberate.begin(), kDeliberate.end(), difference) == kDeliberate.end()) {
            ADD_FAILURE() << difference;
        }
    }
    for (const std::string& deliberate : kDeliberate) {
        if (std::find(found.begin(), found.end(), deliberate) == found.end()) {
            ADD_FAILURE() << "no longer differs: " << deliberate;
        }
    }
}

}  // namespace
}  // namespace camsim
