// The shading file: what the reader takes from each line and file, and the writer's round trip.
#include "files/ShadingFile.h"
#include "files/ShadingTransfer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct DataLineCase {
    const char* line;
    bool ok;
    int g, r, b;
};

class ShadingDataLines : public ::testing::TestWithParam<DataLineCase> {};

TEST_P(ShadingDataLines, SplitByTheReaderRules)
{
    const DataLineCase& c = GetParam();
    std::int32_t g = -99, r = -99, b = -99;
    EXPECT_EQ(ShadingFile::ParseDataLine(c.line, g, r, b), c.ok) << c.line;
    if (!c.ok) return;
    EXPECT_EQ(g, c.g) << c.line;
    EXPECT_EQ(r, c.r) << c.line;
    EXPECT_EQ(b, c.b) << c.line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ShadingDataLines,
    ::testing::Values(DataLineCase{"100, 200, 300", true, 100, 200, 300},
                      DataLineCase{"100 200 300", true, 100200300, 0, 0},
                      DataLineCase{"-5, 7, 9", true, -5, 7, 9},  // the minus sign belongs to the value
                      DataLineCase{"5-, -0, 1-2", true, 5, 0, 12},  // only a minus before the digits counts
                      DataLineCase{"1, 2, 3, 4", false, 0, 0, 0}, DataLineCase{"", true, 0, 0, 0},
                      DataLineCase{"1.5, x2, +3\r", true, 15, 2, 3},
                      DataLineCase{"99999999999, -99999999999, 0", true, 2147483647, -2147483647 - 1, 0}),
    [](const ::testing::TestParamInfo<DataLineCase>& tp) { return "Case" + std::to_string(tp.index); });

std::string FileOf(int dataLines, const char* lineEnd = "\r\n")
{
    std::string text = std::string(ShadingFile::kHeader) + lineEnd;
    for (int i = 0; i < dataLines; ++i) {
        text += std::to_string(i) + ", " + std::to_string(-i) + ", " + std::to_string(i * 2) + lineEnd;
    }
    return text;
}

TEST(ShadingFileRead, HeaderOnlyTakesNothingAndKeepsTheBuffer)
{
    ShadingTable table;
    table.At(1, 0) = 77;
    const auto result = ShadingFile::Parse(FileOf(0), table);
    EXPECT_EQ(result.status, ShadingFile::Status::Ok);
    EXPECT_EQ(result.taken, 0);
    EXPECT_EQ(table.At(1, 0), 77);
}

TEST(ShadingFileRead, ShortFileReplacesOnlyItsFirstEntries)
{
    ShadingTable table;
    table.At(0, 3) = 55;
    const auto result = ShadingFile::Parse(FileOf(3, "\n"), table);
    EXPECT_EQ(result.taken, 3);
    EXPECT_EQ(table.At(1, 2), -2);
    EXPECT_EQ(table.At(2, 2), 4);
    EXPECT_EQ(table.At(0, 3), 55);
}

TEST(ShadingFileRead, EmptyLinesAreDataLinesOfZeros)
{
    ShadingTable table;
    table.At(0, 1) = 9;
    table.At(0, 2) = 9;
    const auto result = ShadingFile::Parse("header\r\n1, 1, 1\r\n\r\n2, 2, 2\r\n\r\n", table);
    EXPECT_EQ(result.taken, 4);
    EXPECT_EQ(table.At(0, 1), 0);
    EXPECT_EQ(table.At(0, 2), 2);
    EXPECT_EQ(table.At(0, 3), 0);
}

TEST(ShadingFileRead, TooManyAndBadFormatStopWhereTheyAre)
{
    ShadingTable table;
    auto result = ShadingFile::Parse(FileOf(1025), table);
    EXPECT_EQ(result.status, ShadingFile::Status::TooMany);
    EXPECT_EQ(result.taken, 1024);
    EXPECT_EQ(table.At(0, 1023), 1023);

    // A bad line leaves the table as it was, the lines before it included.
    ShadingTable other;
    other.At(0, 0) = 42;
    result = ShadingFile::Parse("h\n1, 2, 3\n4, 5, 6, 7\n8, 9, 10\n", other);
    EXPECT_EQ(result.status, ShadingFile::Status::BadFormat);
    EXPECT_EQ(other.At(0, 0), 42);
    EXPECT_EQ(other.At(0, 1), 0);
}

TEST(ShadingFileRead, ALongLineIsOneLineWithEitherLineEnd)
{
    for (const char* end : {"\r\n", "\n"}) {
        // 126 and 128 characters.
        const std::string line = std::string(118, ' ') + "1, 2, 34" + end + std::string(120, ' ') + "5, 6, 78" + end;
        ShadingTable table;
        const auto result = ShadingFile::Parse(std::string("h") + end + line, table);
        EXPECT_EQ(result.taken, 2) << end;
        EXPECT_EQ(table.At(2, 0), 34) << end;
        EXPECT_EQ(table.At(2, 1), 78) << end;
    }
}

TEST(ShadingFileWrite, SignedValuesSurviveTheRoundTrip)
{
    ShadingTable table;
    for (int c = 0; c < ShadingTable::kColours; ++c) {
        for (int i = 0; i < ShadingTable::kEntries; ++i) table.At(c, i) = (i * 37 + c * 11) % 8191 - 4096;
    }
    const auto lines = ShadingFile::Lines(table);
    ASSERT_EQ(lines.size(), 1025u);
    EXPECT_EQ(lines[0], "ShadingData  (G R B)");
    EXPECT_EQ(lines[1], "-4096, -4085, -4074");
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    ShadingTable back;
    const auto result = ShadingFile::Parse(text, back);
    EXPECT_EQ(result.status, ShadingFile::Status::Ok);
    EXPECT_EQ(result.taken, 1024);
    EXPECT_EQ(back.values, table.values);
}

TEST(ShadingProgress, RunningCountAfterTheBaseMessage)
{
    EXPECT_EQ(ShadingTransfer::ProgressText("Now, reading camera shading data", 1025),
              "Now, reading camera shading data  (1025 / 3072)");
}

}  // namespace
