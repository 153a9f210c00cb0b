#include "tables/ComboCatalog.h"

#include "support/FileText.h"
#include "support/TestData.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <vector>

TEST(ComboCatalog, EveryComboRowHasAList)
{
    ControlTable table;
    for (int row = 0; row < ControlTable::kRowCount; ++row) {
        const ControlEntry& e = table.Row(row);
        if (e.controlKind != kKindCombo) continue;
        const ComboList* list = FindComboList(e.commandIndex);
        ASSERT_NE(list, nullptr) << CommandTable::Mnemonic(e.commandIndex);
        EXPECT_FALSE(list->entries.empty());
        EXPECT_TRUE(list->codes.empty() || list->codes.size() == list->entries.size());
        // The default must be one of the list's codes.
        const std::vector<int> codes = ComboCodesForModel(e.commandIndex, "");
        EXPECT_NE(std::find(codes.begin(), codes.end(), e.value), codes.end())
            << CommandTable::Mnemonic(e.commandIndex);
    }
    EXPECT_EQ(FindComboList(cmd::GA), nullptr);
}

// Every list against the committed transcription of the page templates' lists, as one line per command.
TEST(ComboCatalog, EveryListIsTheCommittedOne)
{
    const auto lineOf = [](const ComboList& list) {
        std::string line = std::string(CommandTable::Mnemonic(list.commandIndex)) + ":";
        for (std::size_t i = 0; i < list.entries.size(); ++i) {
            line += (i == 0 ? " " : " | ") + list.entries[i];
            if (!list.codes.empty()) line += "=" + std::to_string(list.codes[i]);
        }
        return line;
    };
    std::istringstream file(ReadText(TestDataPath("combo-lists.txt")));
    std::set<int> listed;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#') continue;
        const int command = CommandTable::Find(line.substr(0, line.find(':')).c_str());
        const ComboList* list = FindComboList(command);
        if (list == nullptr) {
            ADD_FAILURE() << "no list in the tool: " << line;
            continue;
        }
        listed.insert(command);
        EXPECT_EQ(lineOf(*list), line);
    }
    for (const ComboList& list : AllComboLists())
        EXPECT_EQ(listed.count(list.commandIndex), 1u) << "a list of the tool only: " << lineOf(list);
}
