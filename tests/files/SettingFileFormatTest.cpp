// Which rows a setting file holds, and how each kind of line is taken by a load.
#include "files/SettingFileFormat.h"

#include "tables/CameraModelInfo.h"
#include "tables/ControlTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Kind = SettingFileFormat::LineKind;

bool Holds(const std::vector<std::string>& lines, const std::string& mnemonic)
{
    for (const std::string& line : lines) {
        if (line.rfind(mnemonic + "=", 0) == 0) return true;
    }
    return false;
}

// The rows of each model and control mode, their order and values, are the committed files the camera tests
// save byte for byte; a model the tool does not know leaves none of them out.
TEST(SettingFileRows, AnUnknownModelLeavesNothingOut)
{
    ControlTable table;
    const auto unknown = SettingFileFormat::RowLines(table, kModelCodeUnknown, false);
    EXPECT_TRUE(Holds(unknown, "STP"));
    EXPECT_TRUE(Holds(unknown, "LROP"));
}

struct LineCase {
    const char* line;
    int modelCode;
    bool factoryMode;
    Kind kind;
    int value;
    const char* mnemonic;
};

class SettingLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(SettingLines, Classified)
{
    const LineCase& c = GetParam();
    ControlTable table;
    const auto line = SettingFileFormat::Classify(c.line, table, c.modelCode, c.factoryMode);
    EXPECT_EQ(line.kind, c.kind) << c.line;
    EXPECT_EQ(line.mnemonic, c.mnemonic) << c.line;
    if (c.kind == Kind::Setting) {
        EXPECT_EQ(line.value, c.value) << c.line;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SettingLines,
    ::testing::Values(LineCase{"GA=200", kModelCodeA1, false, Kind::Setting, 200, "GA"},
                      LineCase{" GA = 200\r", kModelCodeA1, false, Kind::Setting, 200, "GA"},
                      LineCase{"GA=&H1F", kModelCodeA1, false, Kind::Setting, 31, "GA"},
                      LineCase{"BLR=-5", kModelCodeA1, false, Kind::Setting, -5, "BLR"},
                      LineCase{"XYZ=5", kModelCodeA1, false, Kind::UnknownMnemonic, 0, "XYZ"},
                      LineCase{"LR?", kModelCodeA1, false, Kind::NotASetting, 0, "LR"},
                      LineCase{"LR=", kModelCodeA1, false, Kind::NotASetting, 0, "LR"},
                      LineCase{"hello", kModelCodeA1, false, Kind::NotASetting, 0, ""},
                      LineCase{"   ", kModelCodeA1, false, Kind::Blank, 0, ""},
                      LineCase{"STP=1", kModelCodeB1, false, Kind::NotOnModel, 0, "STP"},
                      LineCase{"STP=1", kModelCodeA1, false, Kind::Setting, 1, "STP"},
                      LineCase{"CBDRT=16", kModelCodeA1, false, Kind::NotASetting, 0, "CBDRT"},
                      LineCase{"VN=1", kModelCodeA1, false, Kind::NotASetting, 0, "VN"},
                      LineCase{"MD00=RV-8200-B1", kModelCodeA1, false, Kind::ModelId, 0, "MD00"},
                      LineCase{"GAORA=8000", kModelCodeA1, false, Kind::FactoryInUserMode, 0, "GAORA"},
                      LineCase{"GAORA=8000", kModelCodeA1, true, Kind::Setting, 8000, "GAORA"},
                      LineCase{"LR = 1 2", kModelCodeA1, false, Kind::Setting, 12, "LR"},
                      LineCase{"LR=abc", kModelCodeA1, false, Kind::NotANumber, 0, "LR"},
                      LineCase{"LR=12x", kModelCodeA1, false, Kind::NotANumber, 0, "LR"},
                      LineCase{"LR=1,5", kModelCodeA1, false, Kind::NotANumber, 0, "LR"},
                      LineCase{"LR=&H", kModelCodeA1, false, Kind::NotANumber, 0, "LR"},
                      LineCase{"LR=-", kModelCodeA1, false, Kind::NotANumber, 0, "LR"}),
    [](const ::testing::TestParamInfo<LineCase>& tp) { return "Case" + std::to_string(tp.index); });

TEST(SettingFileLines, CrLfAndLfEndLinesAndALastLineWithoutEndCounts)
{
    EXPECT_EQ(SettingFileFormat::SplitLines("A=1\r\nB=2\nC=3"), (std::vector<std::string>{"A=1", "B=2", "C=3"}));
    EXPECT_EQ(SettingFileFormat::SplitLines("A=1\r\n\r\n"), (std::vector<std::string>{"A=1", ""}));
    EXPECT_TRUE(SettingFileFormat::SplitLines("").empty());
}

}  // namespace
