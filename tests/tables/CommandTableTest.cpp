#include "tables/CommandTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(CommandTable, LookupByMnemonicIsExactAndFirstMatch)
{
    struct Case {
        const char* mnemonic;
        int index;
        int valueType;
    };
    const Case cases[] = {
        {"EB", 0, kValueInteger},      {"XMLVR", 256, kValueInteger}, {"DV00", 257, kValueText},
        {"PGR", 68, kValueInteger},    {"PGR00", 252, kValueInteger}, {"SA", 206, kValueInteger},
        {"SA00", 208, kValueInteger},  {"CBDRT", 11, kValueInteger},  {"EA", 207, kValueInteger},
        {"PBC00", 260, kValueInteger}, {"MD", 8, kValueText},
    };
    for (const Case& c : cases) {
        int valueType = -5;
        int decimals = -5;
        EXPECT_EQ(CommandTable::Find(c.mnemonic, &valueType, &decimals), c.index) << c.mnemonic;
        EXPECT_EQ(valueType, c.valueType) << c.mnemonic;
        EXPECT_EQ(decimals, 0) << c.mnemonic;
    }
    for (const char* unknown : {"", "ga", "GA ", "XYZ", "PGR0", "SA000"}) {
        int valueType = -5;
        EXPECT_EQ(CommandTable::Find(unknown, &valueType), -1) << unknown;
        EXPECT_EQ(valueType, -5) << "a failed search must not touch the out-values";
    }
}

TEST(CommandTable, EveryEntryIsConsistent)
{
    const std::set<int> textCommands = {3, 4, 5, 6, 7, 8, 9, 211, 212, 257};
    std::set<std::string> seen;
    for (int i = 0; i < CommandTable::kCount; ++i) {
        const CommandEntry& entry = CommandTable::Entry(i);
        EXPECT_EQ(entry.index, i);
        EXPECT_EQ(entry.spare, 0);
        EXPECT_EQ(entry.decimals, 0);
        EXPECT_EQ(entry.valueType, textCommands.count(i) ? kValueText : kValueInteger) << entry.mnemonic;
        const std::string mnemonic = entry.mnemonic;
        EXPECT_GE(mnemonic.size(), 2u);
        EXPECT_LE(mnemonic.size(), 7u);
        for (char ch : mnemonic) EXPECT_TRUE((ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9')) << mnemonic;
        EXPECT_TRUE(seen.insert(mnemonic).second) << "duplicate " << mnemonic;
        EXPECT_EQ(CommandTable::Find(mnemonic), i);
    }
    EXPECT_STREQ(CommandTable::Mnemonic(cmd::GA), "GA");
    EXPECT_STREQ(CommandTable::Mnemonic(cmd::TMP0), "TMP0");
    EXPECT_STREQ(CommandTable::Mnemonic(cmd::PBC00), "PBC00");
}
