#include "support/Elapsed.h"
#include "support/PtyPeer.h"
#include "support/ScopedEnv.h"

#include "link/ComPort.h"
#include "platform/SerialDevice.h"
#include "support/RecordingMessageHost.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
// What a loaded two-core machine may add to a wait measured on the steady clock.
constexpr int kSlackMs = 1000;

class SerialPort : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!peer_.Ok()) GTEST_SKIP() << "no pseudo-terminals on this machine";
    }

    // Waits until the ring holds at least count bytes.
    bool WaitUntilAvailable(ComPort& port, int count, int timeoutMs)
    {
        const auto start = Clock::now();
        while (port.Available() < count && MsSince(start) < timeoutMs) port.WaitForBytes(10);
        return port.Available() >= count;
    }

    PtyPeer peer_{3};
    RecordingMessageHost host_;
};

TEST_F(SerialPort, PortNamesResolveThroughTheDosdevicesFolder)
{
    EXPECT_EQ(SerialDevice::DevicePath("COM3"), peer_.ConfigHome() + "/orvane/dosdevices/com3");
    EXPECT_EQ(SerialDevice::DevicePath("com3"), peer_.ConfigHome() + "/orvane/dosdevices/com3");
    EXPECT_EQ(SerialDevice::DevicePath("COM1"), "/dev/ttyS0");
    EXPECT_EQ(SerialDevice::DevicePath("COM17"), "/dev/ttyS16");
    EXPECT_EQ(SerialDevice::DevicePath("/dev/null"), "/dev/null");
    // A link to a port that is gone still names that port, never another one.
    const std::string dangling = peer_.ConfigHome() + "/orvane/dosdevices/com2";
    ASSERT_EQ(::symlink("/nonexistent/tty", dangling.c_str()), 0);
    EXPECT_EQ(SerialDevice::DevicePath("COM2"), dangling);

    const ScopedEnv noConfigHome("XDG_CONFIG_HOME", std::nullopt);
    const ScopedEnv home("HOME", "/nonexistent-home");
    EXPECT_EQ(SerialDevice::DevicePath("COM3"), "/dev/ttyS2");
}

TEST_F(SerialPort, OpenWritesLineSettingsAndMovesBytesBothWays)
{
    ComPort port;
    ASSERT_EQ(port.Open("COM3", 57600, 8, 0, false, false), 1);
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(port.LowLatency(), SerialLowLatency::Refused) << "asked; a pseudo-terminal has no such setting";

    const int fd = ::open(peer_.SlavePath().c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    termios t{};
    ASSERT_EQ(::tcgetattr(fd, &t), 0);
    ::close(fd);
    EXPECT_EQ(::cfgetospeed(&t), static_cast<speed_t>(B57600));
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | ICRNL), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO), 0u);

    const std::string line = "GA=512\r\n";
    ASSERT_EQ(port.Write(reinterpret_cast<const std::uint8_t*>(line.data()), static_cast<int>(line.size())), 1);
    EXPECT_EQ(peer_.Receive(line.size(), 1000), line);

    ASSERT_TRUE(peer_.Send("COMPLETE\r\n"));
    ASSERT_TRUE(WaitUntilAvailable(port, 10, 1000));
    std::uint8_t buffer[16] = {};
    EXPECT_EQ(port.GetBytes(buffer, 16), 10);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 10), "COMPLETE\r\n");
    EXPECT_TRUE(host_.Shown().empty());
}

TEST_F(SerialPort, OpenFailuresSayWhyNamingThePortAndItsDevice)
{
    struct Case {
        const char* name;
        int baud;
        std::string message;
    };
    const std::string links = peer_.ConfigHome() + "/orvane/dosdevices";
    // com5 is a plain file, not a terminal; com2 leads to an adapter that was pulled.
    std::ofstream(links + "/com5") << "x";
    ASSERT_EQ(::symlink("/nonexistent/ttyUSB1", (links + "/com2").c_str()), 0);
    const Case cases[] = {
        {"COM2", 9600, "COM2 leads to /nonexistent/ttyUSB1, which is not there: is the adapter plugged in?"},
        {"/nonexistent/ttyUSB7", 9600, "/nonexistent/ttyUSB7 is not there: is the adapter plugged in?"},
        {"COM5", 9600, "COM5 leads to " + links + "/com5, which is not a serial port"},
        {"COM3", 12345, "Failed to initialize COM3 port!\nError in SetCommState()"},
    };
    for (const Case& c : cases) {
        ComPort port;
        host_.Clear();
        EXPECT_EQ(port.Open(c.name, c.baud, 8, 0, false, false), 0) << c.name;
        EXPECT_FALSE(port.IsOpen());
        // The port keeps its words for the action that opened it; it shows nothing itself.
        EXPECT_EQ(port.LastError(), c.message);
        EXPECT_TRUE(host_.Shown().empty()) << c.name;
        const std::uint8_t byte = 'x';
        EXPECT_EQ(port.Write(&byte, 1), 0) << "a failed open leaves the port closed";
    }
    // The failed open released the port again.
    ComPort port;
    EXPECT_EQ(port.Open("COM3", 9600, 8, 0, false, false), 1);
}

TEST_F(SerialPort, ReopenStartsWithAnEmptyRingAndTakingStopsAtTheUnreadBytes)
{
    ComPort port;
    ASSERT_EQ(port.Open("COM3", 9600, 8, 0, false, false), 1);
    ASSERT_TRUE(peer_.Send("abc"));
    ASSERT_TRUE(WaitUntilAvailable(port, 3, 1000));
    std::uint8_t buffer[5] = {};
    EXPECT_EQ(port.GetBytes(buffer, 5), 3);
    EXPECT_EQ(port.Available(), 0);
    EXPECT_EQ(port.GetBytes(buffer, 5), 0);
    EXPECT_EQ(port.GetBytes(buffer, 0), 0);

    ASSERT_TRUE(peer_.Send("def"));
    ASSERT_TRUE(WaitUntilAvailable(port, 3, 1000));
    ASSERT_EQ(port.Open("COM3", 9600, 8, 0, false, false), 1);
    EXPECT_EQ(port.Available(), 0);

    ASSERT_TRUE(peer_.Send("gh"));
    ASSERT_TRUE(WaitUntilAvailable(port, 2, 1000));
    port.ResetRing();
    EXPECT_EQ(port.Available(), 0);
}

TEST_F(SerialPort, FullRingHoldsBackInsteadOfOverwriting)
{
    ComPort port;
    ASSERT_EQ(port.Open("COM3", 115200, 8, 0, false, false), 1);
    std::string sent;
    for (int i = 0; i < 5000; ++i) sent += static_cast<char>(i % 251);
    std::thread sender([&] { peer_.Send(sent); });

    ASSERT_TRUE(WaitUntilAvailable(port, ComPort::kRingSize - 1, 2000));
    // The reader is held back: the rest waits in the driver, where a reader that overwrote would take it.
    const auto held = Clock::now();
    while (peer_.PendingForPort() <= 0 && MsSince(held) < 2000) std::this_thread::yield();
    EXPECT_GT(peer_.PendingForPort(), 0);
    EXPECT_EQ(port.Available(), ComPort::kRingSize - 1) << "the ring never holds more than it can tell apart";

    std::string got;
    const auto start = Clock::now();
    while (got.size() < sent.size() && MsSince(start) < 5000) {
        std::uint8_t buffer[97];
        const int n = port.GetBytes(buffer, static_cast<int>(sizeof buffer));
        got.append(reinterpret_cast<char*>(buffer), static_cast<std::size_t>(n));
        if (n == 0) port.WaitForBytes(20);
    }
    sender.join();
    EXPECT_EQ(got.size(), sent.size());
    EXPECT_TRUE(got == sent) << "bytes lost or reordered";
}

// A real-time smoke test (the suite runs serially, see the CMake file): the reader thread wakes a waiting
// request when bytes arrive and ends promptly on close. "Promptly" is well inside the waits' own limits,
// with a second of slack for a loaded machine; the 30 ms pause puts the arrival inside the wait.
TEST_F(SerialPort, WaitEndsWhenBytesArriveAndCloseEndsTheReader)
{
    ComPort port;
    ASSERT_EQ(port.Open("COM3", 9600, 8, 0, false, false), 1);
    std::thread sender([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        peer_.Send("x");
    });
    const auto start = Clock::now();
    EXPECT_TRUE(port.WaitForBytes(5000));
    EXPECT_LT(MsSince(start), 30 + kSlackMs);
    sender.join();

    // The reader is waiting in the driver; close must not hang.
    const auto closeStart = Clock::now();
    port.Close();
    EXPECT_LT(MsSince(closeStart), kSlackMs);
    EXPECT_FALSE(port.IsOpen());
    std::uint8_t byte;
    EXPECT_EQ(port.GetBytes(&byte, 1), 0);

    // Closing while the reader is held back by a full ring.
    ASSERT_EQ(port.Open("COM3", 9600, 8, 0, false, false), 1);
    ASSERT_TRUE(peer_.Send(std::string(1500, 'y')));
    ASSERT_TRUE(WaitUntilAvailable(port, ComPort::kRingSize - 1, 2000));
    const auto fullStart = Clock::now();
    port.Close();
    EXPECT_LT(MsSince(fullStart), kSlackMs);

    // A closed port's wait just lets its time pass.
    const auto waitStart = Clock::now();
    EXPECT_FALSE(port.WaitForBytes(40));
    EXPECT_GE(MsSince(waitStart), 35);
}

}  // namespace
