#include "link/Command.h"
#include "link/ProtocolLine.h"
#include "tables/CommandTable.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct ParseCase {
    const char* line;
    int ok;
    const char* mnemonic;
    int form;
    int intValue;
    const char* text;
};

class AnswerParsing : public ::testing::TestWithParam<ParseCase> {};

TEST_P(AnswerParsing, ReadsLineAsTheCameraMeansIt)
{
    const ParseCase& c = GetParam();
    CommandAnswer answer;
    ASSERT_EQ(ProtocolLine::ParseAnswer(c.line, answer), c.ok) << c.line;
    EXPECT_EQ(answer.failed, c.ok == 0);
    if (!c.ok) return;
    EXPECT_EQ(answer.mnemonic, c.mnemonic);
    EXPECT_EQ(answer.form, c.form);
    EXPECT_EQ(answer.value.intValue, c.intValue);
    EXPECT_EQ(answer.value.text, c.text);
    EXPECT_EQ(answer.commandIndex, CommandTable::Find(c.mnemonic));
}

INSTANTIATE_TEST_SUITE_P(
    Integers, AnswerParsing,
    ::testing::Values(ParseCase{"GA=&H1F", 1, "GA", 1, 31, "&H1F"}, ParseCase{"GA=&Hff", 1, "GA", 1, 255, "&Hff"},
                      ParseCase{"GA=&h1F", 1, "GA", 1, 0, "&h1F"},  // the prefix is case-sensitive
                      ParseCase{"GA=&H", 1, "GA", 1, 0, "&H"}, ParseCase{"GA=&HFFFFFFFF", 1, "GA", 1, -1, "&HFFFFFFFF"},
                      ParseCase{"GA=-12", 1, "GA", 1, -12, "-12"}, ParseCase{"GA=+8", 1, "GA", 1, 8, "+8"},
                      ParseCase{"GA=12abc", 1, "GA", 1, 12, "12abc"}, ParseCase{"GA=", 1, "GA", 1, 0, ""},
                      ParseCase{"GA=abc", 1, "GA", 1, 0, "abc"},
                      ParseCase{"GA=99999999999", 1, "GA", 1, INT_MAX, "99999999999"},
                      ParseCase{"GA=-99999999999", 1, "GA", 1, INT_MIN, "-99999999999"},
                      ParseCase{" G A = 5 \r\n", 1, "GA", 1, 5, "5"}, ParseCase{"GA=5,7", 1, "GA", 2, 5, "5"},
                      ParseCase{"GA=5,", 1, "GA", 2, 5, "5"}, ParseCase{"GA?", 1, "GA", 0, 0, ""},
                      ParseCase{"GA?7", 1, "GA", 1, 7, "7"}));

INSTANTIATE_TEST_SUITE_P(TextsAndFailures, AnswerParsing,
                         ::testing::Values(ParseCase{"MD=RV-8200-A1", 1, "MD", 1, 0, "RV-8200-A1"},
                                           ParseCase{"UD=a=b?c", 1, "UD", 1, 0,
                                                     "a=b?c"},  // only the first "=" separates
                                           ParseCase{"ga=5", 0, "", 0, 0, ""}, ParseCase{"XYZ=5", 0, "", 0, 0, ""},
                                           ParseCase{"ERROR", 0, "", 0, 0, ""}, ParseCase{"", 0, "", 0, 0, ""},
                                           ParseCase{"=5", 0, "", 0, 0, ""}, ParseCase{"?", 0, "", 0, 0, ""},
                                           ParseCase{"G,A=5", 0, "", 0, 0, ""}));

TEST(AnswerParsingRecord, KeepsBothValuesOfATwoValueAnswerAndTheRawLine)
{
    CommandAnswer answer;
    ASSERT_EQ(ProtocolLine::ParseAnswer("SDD = -3 , 77\r\n", answer), 1);
    EXPECT_EQ(answer.raw, "SDD=-3,77");
    EXPECT_EQ(answer.separator, "=");
    EXPECT_EQ(answer.valueText, "-3");
    EXPECT_EQ(answer.secondText, "77");
    EXPECT_EQ(answer.firstInt, -3);
    EXPECT_EQ(answer.value.intValue, -3);

    // A failed line still gives its raw text for the error message.
    ASSERT_EQ(ProtocolLine::ParseAnswer(" ERR OR\r\n", answer), 0);
    EXPECT_EQ(answer.raw, "ERROR");
}

TEST(AnswerParsingRecord, SettingLineGivesIndexMnemonicAndValues)
{
    int index = -5;
    int value = -5;
    std::string mnemonic = "x";
    std::string text = "x";
    ASSERT_EQ(ProtocolLine::ParseSettingLine("CBDRT=16", index, mnemonic, value, text), 1);
    EXPECT_EQ(index, cmd::CBDRT);
    EXPECT_EQ(mnemonic, "CBDRT");
    EXPECT_EQ(value, 16);
    ASSERT_EQ(ProtocolLine::ParseSettingLine("UD=Line1", index, mnemonic, value, text), 1);
    EXPECT_EQ(index, cmd::UD);
    EXPECT_EQ(text, "Line1");
    EXPECT_EQ(ProtocolLine::ParseSettingLine("NOSUCH=1", index, mnemonic, value, text), 0);
}

// The lines themselves are the requests' (RequestTest: what goes out, byte for byte).
TEST(LineFormats, AnIndexOutsideTheTableHasNoMnemonic)
{
    EXPECT_EQ(ProtocolLine::MnemonicOf(-1), "");
    EXPECT_EQ(ProtocolLine::MnemonicOf(CommandTable::kCount), "");
}

TEST(LineFormats, DecimalValuesUseTheDigitCountWhateverTheLocale)
{
    // No command of the table is decimal; the values carry the type themselves.
    CommandValue v;
    v.valueType = kValueDecimal;
    v.realValue = 2.5;
    EXPECT_EQ(ProtocolLine::FormatSetting(cmd::GA, v, false), "GA=2");  // zero digits: rounded to even
    const CommandValue read = ProtocolLine::ReadValue("-3.75", kValueDecimal, 0);
    EXPECT_DOUBLE_EQ(read.realValue, -3.75);
    EXPECT_EQ(read.intValue, -3);  // truncated toward zero
}

}  // namespace
