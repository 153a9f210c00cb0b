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

TEST(ComboCatalog, CodedListsKeepTheirItemData)
{
    const ComboList* trigger = FindComboList(cmd::TI);
    ASSERT_NE(trigger, nullptr);
    ASSERT_EQ(trigger->entries.size(), 18u);
    EXPECT_EQ(trigger->entries[17], "EncoderTrigger");
    EXPECT_EQ(trigger->codes[17], 29);
    EXPECT_EQ(trigger->entries[10], "Line4 TTL In1");

    const ComboList* nand = FindComboList(cmd::ND1IN2);
    ASSERT_NE(nand, nullptr);
    EXPECT_EQ(nand->entries[19], "EncoderTriger");
    EXPECT_EQ(FindComboList(cmd::LS2)->entries[19], "EncoderTrigger");

    const std::vector<int> pg2 = ComboCodesForModel(cmd::PGIN2, kModelA1);
    EXPECT_EQ(std::count(pg2.begin(), pg2.end(), 12), 0) << "a generator is not its own source";
    EXPECT_EQ(std::count(pg2.begin(), pg2.end(), 10), 1);

    EXPECT_EQ(ComboCodesForModel(cmd::CLCFG, ""), (std::vector<int>{0, 1, 2, 4}));
    EXPECT_EQ(ComboCodesForModel(cmd::CE1, ""), (std::vector<int>{0, 3}));
    EXPECT_EQ(ComboCodesForModel(cmd::TPN, ""), (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST(ComboCatalog, ModelVariants)
{
    EXPECT_EQ(ComboListForModel(cmd::ETM, kModelB1).entries, (std::vector<std::string>{"Common"}));
    EXPECT_EQ(ComboListForModel(cmd::ETM, kModelA1).entries, (std::vector<std::string>{"Common", "Indivisual"}));
    EXPECT_EQ(ComboListForModel(cmd::CLCF, kModelA1).entries.size(), 3u);
    EXPECT_EQ(ComboListForModel(cmd::CLCF, kModelB1).entries[3], "31.875MHz");
    EXPECT_EQ(ComboCodesForModel(cmd::AWB, kModelA1), (std::vector<int>{0, 2, 4, 5, 6, 7}));
    EXPECT_EQ(ComboCodesForModel(cmd::AWB, kModelB1), (std::vector<int>{0, 2, 5, 6, 7}));
    EXPECT_EQ(ComboListForModel(cmd::AWB, kModelB1).entries[2], "Preset 5000K");
    // Any other model keeps the template list.
    EXPECT_EQ(ComboListForModel(cmd::AWB, "RV-8200-Z9").entries.size(), 6u);
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
