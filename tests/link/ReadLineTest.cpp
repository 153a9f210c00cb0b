#include "support/ProtocolFixture.h"

namespace {

class ReadLine : public ProtocolFixture {};

TEST_F(ReadLine, LineEndsAreTakenOffAndNothingElse)
{
    struct Case {
        const char* bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"GA=5\r\n", {"GA=5"}}, {"GA=5\n", {"GA=5"}},  // a bare LF keeps the last character
        {"\n", {""}},           {"\r\n", {""}},       {"AB\r\r\n", {"AB\r"}}, {"A\nB\r\n", {"A", "B"}},
    };
    for (const Case& c : cases) {
        command_.ClearReceived();
        channel_.Deliver({{c.bytes, 0}});
        while (command_.ReadLine(false)) {}
        std::vector<std::string> got;
        while (command_.ReceivedCount() > 0) got.push_back(command_.TakeLine());
        EXPECT_EQ(got, c.lines) << c.bytes;
    }
    EXPECT_TRUE(terminal_.lines.empty()) << "nothing is logged without the log flag";
    EXPECT_EQ(command_.TakeLine(), "");
}

TEST_F(ReadLine, PartialLineWaitsForTheNextCall)
{
    channel_.Deliver({{"GA=", 0}});
    EXPECT_EQ(command_.ReadLine(true), 0);
    channel_.Deliver({{"5\r\n", 0}});
    EXPECT_EQ(command_.ReadLine(true), 1);
    EXPECT_EQ(command_.TakeLine(), "GA=5");
    EXPECT_EQ(terminal_.lines, std::vector<std::string>{"Rx: GA=5"});
    EXPECT_EQ(messages_.lines, std::vector<std::string>{"GA=5"});
}

}  // namespace
