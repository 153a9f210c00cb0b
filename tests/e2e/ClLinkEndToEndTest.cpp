// The link and the protocol through the Camera Link library kinds, against the simulated frame-grabber
// libraries loaded for real.
#include "support/ClSimFolder.h"
#include "support/ScopedEnv.h"

#include "link/BaudRateHandshake.h"
#include "link/ClSerial2000.h"
#include "link/ClSerial2001.h"
#include "link/ClSerialV11.h"
#include "link/ComPort.h"
#include "link/Command.h"
#include "link/SerialLink.h"
#include "support/RecordingMessageHost.h"
#include "support/TestHosts.h"
#include "tables/CommandTable.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using Strings = std::vector<std::string>;

struct ModeCase {
    int mode;
    const char* built;
    const char* fileName;
    const char* firstEntry;
};

void PrintTo(const ModeCase& c, std::ostream* out) { *out << "mode " << c.mode; }

const ModeCase kModes[] = {
    {kLinkCl2000, "2000/clsersim.so", "clsersim.so", "clsersim.so"},
    {kLinkCl2001, "2001/clserial.so", "clserial.so", "A"},
    {kLinkClV11, "v11/clallserial.so", "clallserial.so", "A - P0"},
};

// A link of its own over fresh library objects on one test folder.
class ClLink : public testing::TestWithParam<ModeCase> {
protected:
    ClLink()
        : kind2000_(folder_.Path()),
          kind2001_(folder_.Path()),
          kindV11_(folder_.Path()),
          link_(
              Settings(), port_, [this](int mode) { return Kind(mode); }, nullptr),
          command_(link_, TestHosts())
    {
    }

    static LinkSettings Settings()
    {
        LinkSettings settings;
        settings.linkMode = kLinkComPort;
        return settings;
    }

    ClSerialKind* Kind(int mode)
    {
        switch (mode) {
            case kLinkCl2000:
                return &kind2000_;
            case kLinkCl2001:
                return &kind2001_;
            case kLinkClV11:
                return &kindV11_;
            default:
                return nullptr;
        }
    }

    RecordingMessageHost messages_;
    ClSimFolder folder_;
    ClSerial2000 kind2000_;
    ClSerial2001 kind2001_;
    ClSerialV11 kindV11_;
    ComPort port_;
    SerialLink link_;
    Command command_;
};

TEST_P(ClLink, ListOpenAndConverse)
{
    folder_.AddLibrary(GetParam().built, GetParam().fileName);
    link_.SetMode(GetParam().mode);
    ASSERT_GE(link_.PortCount(), 1);
    EXPECT_EQ(link_.PortName(0), GetParam().firstEntry);
    ASSERT_EQ(link_.Open(GetParam().mode, 9600, 0), 1);

    const RequestOutcome modelAsked = command_.Ask(cmd::MD, 1000);
    ASSERT_TRUE(modelAsked.Answered());
    EXPECT_EQ(modelAsked.value.text, "RV-8200-A1");
    ASSERT_TRUE(command_.Set(cmd::GA, 512, 5000).Answered());
    const RequestOutcome gainAsked = command_.Ask(cmd::GA, 5000);
    ASSERT_TRUE(gainAsked.Answered());
    EXPECT_EQ(gainAsked.value.intValue, 512);
    EXPECT_TRUE(messages_.Shown().empty());

    link_.Close();
    EXPECT_FALSE(command_.Ask(cmd::MD, 100).Answered()) << "closed channel";
}

TEST_P(ClLink, PortIndexBeyondTheListFailsAndKeepsTheMode)
{
    folder_.AddLibrary(GetParam().built, GetParam().fileName);
    link_.SetMode(GetParam().mode);
    int count = link_.PortCount();
    EXPECT_EQ(link_.Open(GetParam().mode, 9600, count), 0);
    EXPECT_EQ(link_.GetMode(), GetParam().mode);
    EXPECT_EQ(link_.CurrentPortIndex(), count);
    EXPECT_EQ(link_.PortName(count), "");
}

INSTANTIATE_TEST_SUITE_P(Cl, ClLink, testing::ValuesIn(kModes), [](const testing::TestParamInfo<ModeCase>& tp) {
    return "Mode" + std::to_string(tp.param.mode);
});

using ClLinkSpeed = ClLink;

TEST_P(ClLinkSpeed, HandshakeMovesCameraAndGrabberTo115200)
{
    folder_.AddLibrary(GetParam().built, GetParam().fileName);
    link_.SetMode(GetParam().mode);
    ASSERT_GE(link_.PortCount(), 1);
    ASSERT_EQ(link_.Open(GetParam().mode, 9600, 0), 1);
    ASSERT_EQ(ChangeCameraBaudRate(command_, link_, 115200), 1);
    EXPECT_EQ(link_.GetBaudRate(), 115200);
    const RequestOutcome modelAsked = command_.Ask(cmd::MD, 1000);
    ASSERT_TRUE(modelAsked.Answered());
    EXPECT_EQ(modelAsked.value.text, "RV-8200-A1");
    EXPECT_TRUE(messages_.Shown().empty());
}

INSTANTIATE_TEST_SUITE_P(Cl, ClLinkSpeed, testing::Values(kModes[1], kModes[2]),
                         [](const testing::TestParamInfo<ModeCase>& tp) {
                             return "Mode" + std::to_string(tp.param.mode);
                         });

TEST_F(ClLink, Mode1RefusesAnyRateButNineSixHundredAndStaysUsable)
{
    folder_.AddLibrary("2000/clsersim.so", "clsersim.so");
    link_.SetMode(kLinkCl2000);
    ASSERT_EQ(link_.PortCount(), 1);
    EXPECT_EQ(link_.Open(kLinkCl2000, 19200, 0), 0);
    EXPECT_EQ(link_.LastError(), "Selected baud rate is not supported.");
    EXPECT_TRUE(messages_.Shown().empty());
    EXPECT_EQ(link_.GetBaudRate(), 19200);
    // The entry stayed open at the library's own rate, where the camera still listens.
    const RequestOutcome modelAsked = command_.Ask(cmd::MD, 1000);
    EXPECT_TRUE(modelAsked.Answered());
    EXPECT_EQ(modelAsked.value.text, "RV-8200-A1");
}

TEST_F(ClLink, HandshakeIsNotStartedWhereTheGrabberCannotFollow)
{
    // A 2000-kind library runs at 9600 only: telling the camera to move would strand it at 115200.
    folder_.AddLibrary("2000/clsersim.so", "clsersim.so");
    link_.SetMode(kLinkCl2000);
    ASSERT_EQ(link_.PortCount(), 1);
    ASSERT_EQ(link_.Open(kLinkCl2000, 9600, 0), 1);
    EXPECT_EQ(ChangeCameraBaudRate(command_, link_, 115200), 0);
    EXPECT_TRUE(messages_.Shown().empty());
    EXPECT_EQ(link_.GetBaudRate(), 9600);
    const RequestOutcome modelAsked = command_.Ask(cmd::MD, 1000);
    ASSERT_TRUE(modelAsked.Answered()) << "the camera still listens at 9600";
    EXPECT_EQ(modelAsked.value.text, "RV-8200-A1");
}

TEST_F(ClLink, Mode3RefusedRateNamesThePort)
{
    folder_.AddLibrary("v11/clallserial.so", "clallserial.so", "port Acme Port0 rates=9600,19200\n");
    link_.SetMode(kLinkClV11);
    ASSERT_EQ(link_.PortCount(), 1);
    EXPECT_EQ(link_.Open(kLinkClV11, 115200, 0), 0);
    EXPECT_EQ(link_.LastError(), "Selected baud rate is not supported in Acme - Port0.");
    link_.Close();
    EXPECT_TRUE(folder_.Called("clallserial", "clSerialClose"));
}

TEST(ClLinkProcessWide, TheProcessWideKindsServeALinkThroughClserialpath)
{
    RecordingMessageHost messages;
    ClSimFolder folder;
    folder.AddLibrary("v11/clallserial.so", "clallserial.so", "port A P0\nport A P1 model=RV-8200-B1\n");
    const ScopedEnv path("CLSERIALPATH", folder.Path());
    ComPort port;
    {
        SerialLink link(LinkSettings{}, port, &GetClSerialKind, nullptr);
        Command command(link, TestHosts());
        link.SetMode(kLinkClV11);
        ASSERT_EQ(link.PortCount(), 2);
        EXPECT_EQ(link.PortName(1), "A - P1");
        ASSERT_EQ(link.Open(kLinkClV11, 9600, 1), 1);
        std::string model;
        const RequestOutcome modelAsked = command.Ask(cmd::MD, 1000);
        ASSERT_TRUE(modelAsked.Answered());
        EXPECT_EQ(modelAsked.value.text, "RV-8200-B1");
        link.Close();
    }
}

}  // namespace
