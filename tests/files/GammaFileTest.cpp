// The gamma data file: what the reader stores, refuses and reports, and the file the writer leaves.
#include "files/GammaFile.h"

#include "operations/GammaActions.h"
#include "support/FileText.h"
#include "support/RecordingMessageHost.h"
#include "support/TempFolder.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Tables {
    GammaTable red{0}, green{1}, blue{2};
    Tables()
    {
        // Old contents every case starts from, so "kept" and "stored" differ.
        red.tableData.fill(7);
        green.tableData.fill(8);
        blue.tableData.fill(9);
    }
    GammaFile::Tables Pointers() { return {&red, &green, &blue}; }
    std::vector<int> Row(int i) const
    {
        const auto at = static_cast<std::size_t>(i);
        return {red.tableData[at], green.tableData[at], blue.tableData[at]};
    }
};

std::string Rows(int count, const std::string& lineEnd = "\r\n")
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += std::to_string(i) + "," + std::to_string(i + 1) + "," + std::to_string(i + 2) + lineEnd;
    return text;
}

struct ReadCase {
    const char* name;
    std::string text;
    int result;
    std::vector<std::string> messages;
    int rowsStored;
    std::vector<std::pair<int, std::vector<int>>> rows;  // row, expected red, green, blue
};

class GammaFileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(GammaFileRead, StoresAndReports)
{
    const ReadCase& c = GetParam();
    Tables tables;
    std::istringstream in(c.text);
    const GammaFile::ReadResult result = GammaFile::Read(in, tables.Pointers());
    EXPECT_EQ(result.result, c.result);
    EXPECT_EQ(result.messages, c.messages);
    EXPECT_EQ(result.rowsStored, c.rowsStored);
    for (const auto& [row, values] : c.rows) EXPECT_EQ(tables.Row(row), values) << "row " << row;
}

const std::string kHead = "GammaData (R G B)\r\n";

const ReadCase kReadCases[] = {
    {"HeaderOnly", kHead, 1, {}, 0, {{0, {7, 8, 9}}}},
    {"EmptyFile", "", 1, {}, 0, {{0, {7, 8, 9}}}},
    {"FewerRowsChangeOnlyThose", kHead + Rows(3), 1, {}, 3, {{2, {2, 3, 4}}, {3, {7, 8, 9}}}},
    {"FullTableWithLf", "GammaData (R G B)\n" + Rows(256, "\n"), 1, {}, 256, {{255, {255, 256, 257}}}},
    {"LastLineWithoutLineEnd", kHead + "1,2,3", 1, {}, 1, {{0, {1, 2, 3}}}},
    // A read that fails keeps nothing, not even the rows before the failing line.
    {"BlankLineFails", kHead + Rows(2) + "\r\n" + Rows(2), 0, {"Invaild line format"}, 0, {{1, {7, 8, 9}}}},
    {"BlankLastLineFails", kHead + Rows(2) + "\r\n", 0, {"Invaild line format"}, 0, {{0, {7, 8, 9}}}},
    {"EmptyFieldIsZero", kHead + "12,,7\r\n", 1, {}, 1, {{0, {12, 0, 7}}}},
    {"BlanksAndSignsAreSkipped", kHead + "-5 , 3 , 2\r\n", 1, {}, 1, {{0, {5, 3, 2}}}},
    {"FourFieldsFail", kHead + "1,2,3,4\r\n", 0, {"Invalid data count format"}, 0, {{0, {7, 8, 9}}}},
    {"TwoFieldsFail", kHead + "5,6,7\r\n1,2\r\n", 0, {"Invaild line format"}, 0, {{0, {7, 8, 9}}}},
    {"ValueAboveTheRangeIsReportedOnce",
     kHead + Rows(3) + "1,5000,2\r\n6000,1,1\r\n",
     1,
     {"Invalid data value: Line(3) : Value(5000)"},
     5,
     {{3, {1, 4095, 2}}, {4, {4095, 1, 1}}}},
    {"TooManyRows", kHead + Rows(257), 0, {"Too many data"}, 0, {{255, {7, 8, 9}}}},
    {"AnyHeaderIsSkipped", "1,2,3\r\n4,5,6\r\n", 1, {}, 1, {{0, {4, 5, 6}}}},
    {"LongLineIsOneLine", kHead + "1,2,3" + std::string(121, ' ') + "4\r\n", 1, {}, 1, {{0, {1, 2, 34}}}},
    {"HugeNumberSaturates",
     kHead + "99999999999999999999,0,0\r\n",
     1,
     {"Invalid data value: Line(0) : Value(2147483647)"},
     1,
     {{0, {4095, 0, 0}}}},
};

INSTANTIATE_TEST_SUITE_P(GammaFile, GammaFileRead, ::testing::ValuesIn(kReadCases),
                         [](const ::testing::TestParamInfo<ReadCase>& tp) { return std::string(tp.param.name); });

class GammaFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        temp_ = std::make_unique<TempFolder>("rv-gamma");
        folder_ = temp_->Path();
    }
    void TearDown() override { temp_.reset(); }

    static std::string Contents(const std::filesystem::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::unique_ptr<TempFolder> temp_;
    std::filesystem::path folder_;
    RecordingMessageHost host_;
};

TEST_F(GammaFileOnDisk, WritesTheCommittedFileByteForByteAndReadsItBack)
{
    Tables tables;
    for (int i = 0; i < 256; ++i) {
        tables.red.tableData[static_cast<std::size_t>(i)] = i * 16;
        tables.green.tableData[static_cast<std::size_t>(i)] = 4095 - i;
        tables.blue.tableData[static_cast<std::size_t>(i)] = 0;
    }
    const auto path = (folder_ / "table.csv").string();
    ASSERT_EQ(GammaActions::WriteFile(host_, path, tables.Pointers()), 1);
    EXPECT_EQ(Contents(path), ReadText(TestDataPath("gamma-columns.csv")));

    Tables back;
    ASSERT_EQ(GammaActions::ReadFile(host_, path, back.Pointers()), 1);
    EXPECT_EQ(back.red.tableData, tables.red.tableData);
    EXPECT_EQ(back.green.tableData, tables.green.tableData);
    EXPECT_EQ(back.blue.tableData, tables.blue.tableData);
    EXPECT_EQ(back.red.displayMode, GammaTable::kViewMode);
    EXPECT_TRUE(host_.Shown().empty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);  // no temporary file left
}

TEST_F(GammaFileOnDisk, AFailedReadLeavesTheDisplayModeAndShowsItsMessageWithAStopIcon)
{
    const auto path = (folder_ / "bad.csv").string();
    std::ofstream(path, std::ios::binary) << kHead << "1,2,3\r\n1,2\r\n";
    Tables tables;
    EXPECT_EQ(GammaActions::ReadFile(host_, path, tables.Pointers()), 0);
    EXPECT_EQ(tables.Row(0), (std::vector<int>{7, 8, 9}));
    EXPECT_EQ(tables.red.displayMode, GammaTable::kEditMode);
    ASSERT_EQ(host_.Shown().size(), 1u);
    EXPECT_EQ(host_.Shown()[0].text, "Invaild line format");
    EXPECT_EQ(host_.Shown()[0].icon, MessageIcon::Stop);
}

TEST_F(GammaFileOnDisk, MissingFileIsReported)
{
    const auto path = (folder_ / "none.csv").string();
    Tables tables;
    EXPECT_EQ(GammaActions::ReadFile(host_, path, tables.Pointers()), 0);
    EXPECT_EQ(host_.Texts(), std::vector<std::string>{path + "\nCouldn't open this file"});
    EXPECT_EQ(tables.Row(0), (std::vector<int>{7, 8, 9}));
}

}  // namespace
