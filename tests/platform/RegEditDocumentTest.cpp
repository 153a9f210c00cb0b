#include "platform/posix/RegEditDocument.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kKey = "HKEY_LOCAL_MACHINE\\Software\\Orvane\\RV-8200-XC Control Tool";

std::string InKey(const std::string& lines) { return "REGEDIT4\r\n\r\n[" + kKey + "]\r\n" + lines; }

std::vector<std::uint8_t> Bytes(const std::string& s, bool zero)
{
    std::vector<std::uint8_t> v(s.begin(), s.end());
    if (zero) {
        v.push_back(0);
    }
    return v;
}

struct ParseCase {
    const char* line;
    bool found;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
};

class ValueLineParse : public ::testing::TestWithParam<ParseCase> {};

}  // namespace

TEST_P(ValueLineParse, ReadsTheValueOrSkipsTheLine)
{
    const ParseCase& c = GetParam();
    const RegEditDocument doc = RegEditDocument::Parse(InKey(std::string(c.line) + "\n"));
    RegEditValue value;
    ASSERT_EQ(doc.FindValue(kKey, "V", value), c.found) << c.line;
    EXPECT_EQ(doc.MalformedLineCount(), c.found || c.type == 99 ? 0 : 1) << c.line;
    if (c.found) {
        EXPECT_EQ(value.type, c.type);
        EXPECT_EQ(value.data, c.data);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ValueLineParse,
    ::testing::Values(ParseCase{"\"V\"=dword:0000000a", true, 4, {10, 0, 0, 0}},
                      ParseCase{"\"v\"=dword:FFFFFFFF", true, 4, {255, 255, 255, 255}},
                      ParseCase{"\"V\"=dword:1c200", true, 4, {0x00, 0xc2, 0x01, 0}},
                      ParseCase{"\"V\"=\"C:\\\\dir \\\"q\\\"\"", true, 1, Bytes("C:\\dir \"q\"", true)},
                      ParseCase{"\"V\"=\"\"", true, 1, Bytes("", true)},
                      ParseCase{"\"V\"=\"2\"\r", true, 1, Bytes("2", true)},
                      ParseCase{"  \"V\" = \"x\"  ", true, 1, Bytes("x", true)},
                      ParseCase{"\"V\"=\"a\\b\"", true, 1, Bytes("a\\b", true)},
                      ParseCase{"\"V\"=hex:31,32", true, 3, Bytes("12", false)},
                      ParseCase{"\"V\"=hex(2):25,00", true, 2, {0x25, 0}},
                      ParseCase{"\"V\"=hex(b):01,02,03,04,05,06,07,08", true, 11, {1, 2, 3, 4, 5, 6, 7, 8}},
                      ParseCase{"\"V\"=hex(7):61,00,\\\n  62,00,00", true, 7, {0x61, 0, 0x62, 0, 0}},
                      ParseCase{"\"V\"=hex:", true, 3, {}}, ParseCase{"\"V\"=-", false, 99, {}},
                      ParseCase{"\"V\"=dword:123456789", false, 0, {}}, ParseCase{"\"V\"=dword:", false, 0, {}},
                      ParseCase{"\"V\"=dword:12g4", false, 0, {}}, ParseCase{"\"V\"=\"unterminated", false, 0, {}},
                      ParseCase{"\"V\"=\"x\" trailing", false, 0, {}}, ParseCase{"\"V\"", false, 0, {}},
                      ParseCase{"\"V\"=hex:1,2,", false, 0, {}}, ParseCase{"\"V\"=hex:123", false, 0, {}},
                      ParseCase{"\"V\"=hex(zz):00", false, 0, {}}, ParseCase{"\"V\"=word:1", false, 0, {}},
                      ParseCase{"V=dword:00000001", false, 0, {}}));

TEST(RegEditDocument, WrittenLinesReadBackUnchanged)
{
    const std::vector<RegEditValue> values = {
        {4, {0xff, 0xff, 0xff, 0xff}},
        {1, Bytes("C:\\Program Files\\\"quoted\"\\", true)},
        {1, Bytes("two\r\nlines", true)},  // no plain form exists: goes out as hex(1)
        {1, Bytes(std::string("a\0b", 3), true)},
        {1, Bytes("\xC3\xA4rger \xE2\x82\xAC", true)},  // UTF-8 stays text
        {3, {0, 1, 0xfe}},
    };
    for (const RegEditValue& v : values) {
        RegEditDocument doc = RegEditDocument::Parse("");
        doc.SetValue(kKey, "Name \"with\" \\", v);
        const std::string text = doc.Serialize();
        const RegEditDocument back = RegEditDocument::Parse(text);
        RegEditValue read;
        ASSERT_TRUE(back.FindValue(kKey, "name \"WITH\" \\", read)) << text;
        EXPECT_EQ(read.type, v.type) << text;
        EXPECT_EQ(read.data, v.data) << text;
        EXPECT_EQ(back.MalformedLineCount(), 0) << text;
        EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1) << "lines end in CR LF";
    }
}

TEST(RegEditDocument, ChangingOneValueKeepsEverythingElseVerbatim)
{
    const std::string original =
        "REGEDIT4\n"
        "\n"
        "; hand-written comment\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Other]\n"
        "\"Baudrate\"=dword:00000001\n"
        "\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\ORVANE\\RV-8200-XC CONTROL TOOL]\n"
        "\"Baudrate\"=dword:00000002\n"
        "this line is damaged\n"
        "\"Com Port No\"=hex:00,\\\n"
        "  01\n"
        "\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Third]\n"
        "@=\"default\"\n";
    RegEditDocument doc = RegEditDocument::Parse(original);
    EXPECT_EQ(doc.MalformedLineCount(), 1);
    doc.SetValue(kKey, "baudrate", {4, {3, 0, 0, 0}});
    doc.SetValue(kKey, "Control Mode", {4, {1, 0, 0, 0}});

    std::string expected = original;
    expected.replace(expected.find("\"Baudrate\"=dword:00000002"), 25, "\"baudrate\"=dword:00000003");
    expected.insert(expected.find("  01\n") + 5, "\"Control Mode\"=dword:00000001\n");
    std::string expectedCrLf;
    for (char c : expected) {
        expectedCrLf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    EXPECT_EQ(doc.Serialize(), expectedCrLf);

    RegEditValue other;
    ASSERT_TRUE(doc.FindValue("HKEY_LOCAL_MACHINE\\Software\\Other", "Baudrate", other));
    EXPECT_EQ(other.data[0], 1);
    ASSERT_TRUE(doc.FindValue("HKEY_LOCAL_MACHINE\\Software\\Third", "", other));
}

TEST(RegEditDocument, DuplicateLinesReadTheLastAndCollapseOnWrite)
{
    RegEditDocument doc = RegEditDocument::Parse(InKey("\"V\"=dword:00000001\n\"V\"=dword:00000002\n"));
    RegEditValue value;
    ASSERT_TRUE(doc.FindValue(kKey, "V", value));
    EXPECT_EQ(value.data[0], 2);
    doc.SetValue(kKey, "V", {4, {7, 0, 0, 0}});
    EXPECT_EQ(doc.Serialize(), InKey("\"V\"=dword:00000007\r\n"));
}

TEST(RegEditDocument, FileWithoutHeaderGetsOneOnWriteAndKeepsItsLines)
{
    RegEditDocument doc = RegEditDocument::Parse(std::string("\x01\x02garbage\n[broken\n", 18));
    EXPECT_FALSE(doc.HasKey(kKey));
    EXPECT_EQ(doc.MalformedLineCount(), 2);
    doc.SetValue(kKey, "V", {4, {1, 0, 0, 0}});
    EXPECT_EQ(doc.Serialize(), std::string("REGEDIT4\r\n\r\n") + "\x01\x02" + "garbage\r\n[broken\r\n\r\n[" + kKey +
                                   "]\r\n\"V\"=dword:00000001\r\n");
}

TEST(RegEditDocument, DamagedFilesNeverBreakParsingAndRewriteStably)
{
    const std::string valid =
        InKey("\"A\"=dword:00000001\r\n\"B\"=\"x\\\\y\\\"z\"\r\n\"C\"=hex(7):61,00,\\\r\n  00\r\n@=hex:01\r\n") +
        "\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n\"D\"=-\r\n";
    const char alphabet[] = "\"\\[]=:,@-;()\r\n axdhewor0f9\x00\xff";
    std::uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1664525U + 1013904223U;
        return seed >> 8;
    };
    for (int round = 0; round < 3000; ++round) {
        std::string text = valid;
        const int edits = 1 + static_cast<int>(next() % 8);
        for (int e = 0; e < edits && !text.empty(); ++e) {
            const std::size_t at = next() % text.size();
            const char c = alphabet[next() % (sizeof alphabet - 1)];
            switch (next() % 3) {
                case 0:
                    text[at] = c;
                    break;
                case 1:
                    text.insert(text.begin() + static_cast<std::ptrdiff_t>(at), c);
                    break;
                default:
                    text.erase(at, 1 + next() % 6);
                    break;
            }
        }
        RegEditDocument doc = RegEditDocument::Parse(text);
        RegEditValue value;
        doc.FindValue(kKey, "B", value);
        doc.SetValue(kKey, "New", {4, {1, 2, 3, 4}});
        const std::string once = doc.Serialize();
        const RegEditDocument again = RegEditDocument::Parse(once);
        ASSERT_EQ(again.Serialize(), once) << "round " << round;
        ASSERT_TRUE(again.FindValue(kKey, "New", value)) << "round " << round << "\n" << once;
        ASSERT_EQ(value.data, (std::vector<std::uint8_t>{1, 2, 3, 4}));
    }
}

TEST(RegEditDocument, ValueAddedAfterACutOffHexLineStaysItsOwnLine)
{
    RegEditDocument doc = RegEditDocument::Parse(InKey("\"C\"=hex:01,\\"));
    doc.SetValue(kKey, "New", {4, {9, 0, 0, 0}});
    const RegEditDocument back = RegEditDocument::Parse(doc.Serialize());
    RegEditValue value;
    ASSERT_TRUE(back.FindValue(kKey, "New", value)) << doc.Serialize();
    EXPECT_EQ(value.data[0], 9);
}
