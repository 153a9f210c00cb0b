#include "link/ComPort.h"
#include "link/SerialLink.h"
#include "support/ScriptedChannel.h"
#include "support/TempConfigHome.h"

#include "support/RecordingMessageHost.h"

#include <gtest/gtest.h>

namespace {

TEST(BaudTables, IndexRateAndCode)
{
    const int rates[] = {9600, 19200, 38400, 57600, 115200};
    const int codes[] = {1, 2, 4, 8, 16};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(SerialLink::BaudRateFromIndex(i), rates[i]);
        EXPECT_EQ(SerialLink::IndexOfBaudRate(rates[i]), i);
        EXPECT_EQ(SerialLink::RateCodeFromIndex(i), codes[i]);
        EXPECT_EQ(SerialLink::RateCodeOfBaudRate(rates[i]), codes[i]);
    }
    for (int index : {-1, 5, 7}) EXPECT_EQ(SerialLink::BaudRateFromIndex(index), 9600) << index;
    for (int rate : {0, 4800, 230400, 115201}) {
        EXPECT_EQ(SerialLink::IndexOfBaudRate(rate), 0) << rate;
        EXPECT_EQ(SerialLink::RateCodeOfBaudRate(rate), 0) << rate;
    }
}

class Link : public ::testing::Test {
protected:
    Link()
        : link_(
              Stored(), port_,
              [this](int mode) -> ClSerialKind* {
                  if (mode == kLinkCl2000) return &cl2000_;
                  if (mode == kLinkCl2001) return &cl2001_;
                  return nullptr;
              },
              nullptr)
    {
        link_.SetTerminalSink(&terminal_);
        link_.SetMessageSink(&messages_);
        cl2001_.entries = {"maker 1", "maker 2", "maker 3"};
    }

    static LinkSettings Stored()
    {
        LinkSettings s;
        s.linkMode = kLinkCl2001;
        s.baudRate = 57600;
        s.comPortIndex = 2;
        s.cl2000Index = 1;
        s.cl2001Index = 2;
        s.clV11Index = 3;
        return s;
    }

    RecordingMessageHost host_;
    ComPort port_;
    ScriptedChannel cl2000_;
    ScriptedChannel cl2001_;
    SerialLink link_;
    RecordingSink terminal_;
    RecordingSink messages_;
};

TEST_F(Link, StartsFromTheStoredSettingsAt9600)
{
    EXPECT_EQ(link_.GetMode(), kLinkCl2001);
    EXPECT_EQ(link_.GetBaudRate(), 9600);
    EXPECT_EQ(link_.CurrentPortIndex(), 2);
    link_.SetMode(kLinkComPort);
    EXPECT_EQ(link_.CurrentPortIndex(), 2);
    link_.SetMode(kLinkCl2000);
    EXPECT_EQ(link_.CurrentPortIndex(), 1);
    link_.SetMode(kLinkClV11);
    EXPECT_EQ(link_.CurrentPortIndex(), 3);
    link_.SetMode(9);
    EXPECT_EQ(link_.CurrentPortIndex(), 0);
    EXPECT_EQ(cl2001_.openIndex, -1) << "changing the mode opens nothing";
}

TEST_F(Link, ReopenUsesTheStoredPortOfTheMode)
{
    ASSERT_EQ(link_.ReopenCurrent(), 1);
    EXPECT_EQ(cl2001_.openIndex, 2);
    EXPECT_EQ(cl2001_.rate, 9600);
    ASSERT_EQ(link_.ReopenWithBaud(115200), 1);
    EXPECT_EQ(cl2001_.rate, 115200);
    ASSERT_EQ(link_.ReopenWithMode(kLinkCl2000), 1);
    EXPECT_EQ(cl2001_.openIndex, -1) << "the previous channel is closed";
    EXPECT_EQ(cl2000_.openIndex, 1);
    EXPECT_EQ(cl2000_.rate, 115200);
    ASSERT_EQ(link_.OpenPort(0), 1);
    EXPECT_EQ(cl2000_.openIndex, 0);
    EXPECT_EQ(link_.CurrentPortIndex(), 0);
}

TEST_F(Link, FailedOpenKeepsTheChoice)
{
    EXPECT_EQ(link_.Open(kLinkCl2001, 57600, 5), 0);
    EXPECT_EQ(link_.GetMode(), kLinkCl2001);
    EXPECT_EQ(link_.GetBaudRate(), 57600);
    EXPECT_EQ(link_.CurrentPortIndex(), 5);
    EXPECT_EQ(link_.Settings().cl2001Index, 5);

    EXPECT_EQ(link_.Open(kLinkClV11, 19200, 0), 0) << "no library of that kind";
    EXPECT_EQ(link_.Open(6, 19200, 0), 0);
    EXPECT_EQ(link_.GetMode(), 6);
}

TEST_F(Link, RefusedRateLeavesTheEntryOpenUntilTheNextClose)
{
    cl2000_.refuseRate = true;
    EXPECT_EQ(link_.Open(kLinkCl2000, 115200, 1), 0);
    EXPECT_EQ(cl2000_.openIndex, 1);
    link_.Close();
    EXPECT_EQ(cl2000_.openIndex, -1);
}

TEST_F(Link, OpeningAnotherModeClosesTheChannelThatIsOpen)
{
    ASSERT_EQ(link_.Open(kLinkCl2000, 9600, 0), 1);
    link_.SetMode(kLinkCl2001);  // as the communication dialog does before it reopens
    ASSERT_EQ(link_.ReopenCurrent(), 1);
    EXPECT_EQ(cl2000_.openIndex, -1);
    EXPECT_EQ(cl2000_.closeCount, 1);
}

TEST_F(Link, PortListsPerMode)
{
    link_.SetMode(kLinkComPort);
    EXPECT_EQ(link_.PortCount(), 16);
    EXPECT_EQ(link_.PortName(0), "COM1");
    EXPECT_EQ(link_.PortName(15), "COM16");
    EXPECT_EQ(link_.PortName(16), "ERROR");
    EXPECT_EQ(link_.PortName(-1), "ERROR");
    link_.SetMode(kLinkCl2001);
    EXPECT_EQ(link_.PortCount(), 3);
    EXPECT_EQ(link_.PortName(1), "maker 2");
    EXPECT_EQ(link_.PortName(3), "");
    link_.SetMode(kLinkClV11);
    EXPECT_EQ(link_.PortCount(), 0);
    EXPECT_EQ(link_.PortName(0), "");
    link_.SetMode(4);
    EXPECT_EQ(link_.PortCount(), 0);
    EXPECT_EQ(link_.PortName(0), "ERROR");
}

TEST_F(Link, WriteSendsEveryByteAndLogsTheLineWithoutItsEnd)
{
    ASSERT_EQ(link_.Open(kLinkCl2000, 9600, 0), 1);
    EXPECT_EQ(link_.Write("GA=1\r\n"), 1);
    EXPECT_EQ(link_.Write("X\n\r\n"), 1);
    EXPECT_EQ(link_.Write("A\rB"), 1);
    EXPECT_EQ(cl2000_.written, "GA=1\r\nX\n\r\nA\rB");
    EXPECT_EQ(terminal_.lines, (std::vector<std::string>{"Tx: GA=1", "Tx: X", "Tx: A\rB"}));
    EXPECT_EQ(messages_.lines, (std::vector<std::string>{"GA=1", "X", "A\rB"}));
}

TEST_F(Link, WriteOnAClosedChannelOrWithoutAModeIsNotSent)
{
    // Nothing can go out, so the request says so at once rather than waiting for an answer.
    link_.SetMode(kLinkCl2000);
    EXPECT_EQ(link_.Write("GA?\r\n"), 0);
    EXPECT_EQ(cl2000_.written, "");
    link_.SetMode(5);
    EXPECT_EQ(link_.Write("GA?\r\n"), 0);
    EXPECT_TRUE(terminal_.lines.empty());
}

TEST_F(Link, ReadStopsAtTheLengthOrTheLimit)
{
    ASSERT_EQ(link_.Open(kLinkCl2000, 9600, 0), 1);
    cl2000_.Deliver({{"abc", 0}, {"d", 60}});
    std::uint8_t buffer[8] = {};
    EXPECT_EQ(link_.Read(buffer, 2, 10), 2);
    EXPECT_EQ(link_.Read(buffer, 8, 20), 1);
    EXPECT_EQ(buffer[0], 'c');
    EXPECT_TRUE(link_.WaitForInput(200));
    EXPECT_EQ(link_.Read(buffer, 1, 0), 1);
    EXPECT_EQ(buffer[0], 'd');
    link_.SetMode(8);
    EXPECT_EQ(link_.Read(buffer, 1, 10), 0);
}

TEST(LinkSettingsStore, SettingsGoBackToTheRegistryAtTheEnd)
{
    // A store of its own, also when the suite runs outside ctest.
    const TempConfigHome home;
    ComPort port;
    LinkSettings initial;
    initial.linkMode = kLinkComPort;
    RegistrySettings settings;
    {
        SerialLink link(
            initial, port, [](int) -> ClSerialKind* { return nullptr; }, &settings);
        RecordingMessageHost host;
        link.Open(kLinkCl2001, 38400, 4);
        link.SetMode(kLinkClV11);
    }
    const LinkSettings stored = settings.ReadLinkSettings();
    EXPECT_EQ(stored.linkMode, kLinkClV11);
    EXPECT_EQ(stored.cl2001Index, 4);
    int baud = 0;
    settings.GetValue(kItemBaudrate, baud, 0);
    EXPECT_EQ(baud, 38400);
}

}  // namespace
