// The serial back end through the Windows communications calls, against the simulated camera: under Wine the
// port named by RV_WINE_SERIAL_PORT (scripts/run-wine-tests.sh maps COM1 to the simulator's terminal through
// the prefix's dosdevices/com1).
#include "platform/SerialDevice.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <string>

namespace {

class SerialDeviceWin32 : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* port = std::getenv("RV_WINE_SERIAL_PORT");
        if (!port || !*port) GTEST_SKIP() << "RV_WINE_SERIAL_PORT names no port with the simulated camera on it";
        port_ = port;
    }

    // Opens and prepares the port as the tool's link does, at the given speed.
    void OpenAt(SerialDevice& device, int baudRate)
    {
        ASSERT_EQ(device.Open(port_), 1) << port_;
        ASSERT_EQ(device.SetReceiveEventMask(), 1);
        ASSERT_EQ(device.SetQueueSizes(4096, 4096), 1);
        ASSERT_EQ(device.SetTimeouts(2000), 1);
        SetSpeed(device, baudRate);
    }

    static void SetSpeed(SerialDevice& device, int baudRate)
    {
        SerialLineSettings settings;
        ASSERT_EQ(device.GetLineSettings(settings), 1);
        settings.baudRate = baudRate;
        settings.dataBits = 8;
        settings.stopBits = 0;
        settings.softwareFlow = false;
        settings.parityCheck = false;
        ASSERT_EQ(device.SetLineSettings(settings), 1);
        SerialLineSettings back;
        ASSERT_EQ(device.GetLineSettings(back), 1);
        EXPECT_EQ(back.baudRate, baudRate);
        EXPECT_EQ(back.dataBits, 8);
    }

    // Sends one command line and collects the answer up to its line end ("" when none came in timeoutMs).
    static std::string Ask(SerialDevice& device, const std::string& line, int timeoutMs = 3000)
    {
        const std::string bytes = line + "\r\n";
        if (device.Write(reinterpret_cast<const std::uint8_t*>(bytes.data()), static_cast<int>(bytes.size())) != 1)
            return "<write failed>";
        std::string answer;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (answer.find('\n') == std::string::npos) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count();
            if (left <= 0) break;
            const SerialWait wait = device.WaitForInput(static_cast<int>(left));
            if (wait == SerialWait::Failed) return "<wait failed>";
            if (wait != SerialWait::Input) continue;
            std::uint8_t buffer[256];
            const int got = device.ReadAvailable(buffer, sizeof buffer);
            if (got < 0) return "<read failed>";
            answer.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(got));
        }
        return answer;
    }

    std::string port_;
};

TEST_F(SerialDeviceWin32, CommandRoundTripAtNineThousandSixHundred)
{
    SerialDevice device;
    OpenAt(device, 9600);
    EXPECT_EQ(Ask(device, "MD?"), "MD=RV-8200-A1\r\n");
    EXPECT_EQ(Ask(device, "GA=250"), "COMPLETE\r\n");
    EXPECT_EQ(Ask(device, "GA?"), "GA=250\r\n");
    EXPECT_EQ(device.Flush(), 1);
}

TEST_F(SerialDeviceWin32, SpeedChangeBothSidesThenBack)
{
    SerialDevice device;
    OpenAt(device, 9600);
    // The camera acknowledges at the old speed, then listens at the new one.
    ASSERT_EQ(Ask(device, "CBDRT=16"), "COMPLETE\r\n");
    EXPECT_EQ(Ask(device, "MD?", 500), "") << "the camera no longer hears 9600 bit/s";
    SetSpeed(device, 115200);
    EXPECT_EQ(Ask(device, "CBDRT?"), "CBDRT=16\r\n");
    ASSERT_EQ(Ask(device, "CBDRT=1"), "COMPLETE\r\n");
    SetSpeed(device, 9600);
    EXPECT_EQ(Ask(device, "MD?"), "MD=RV-8200-A1\r\n");
}

TEST_F(SerialDeviceWin32, PortIsOpenedExclusively)
{
    SerialDevice first;
    ASSERT_EQ(first.Open(port_), 1);
    SerialDevice second;
    EXPECT_EQ(second.Open(port_), 0) << "a port another handle holds cannot be opened again";
    EXPECT_FALSE(second.IsOpen());
    first.Close();
    EXPECT_EQ(second.Open(port_), 1) << "free again once the first handle is closed";
}

TEST_F(SerialDeviceWin32, WakeUpEndsAWaitAndAQuietLineTimesOut)
{
    SerialDevice device;
    OpenAt(device, 9600);
    EXPECT_EQ(device.WaitForInput(200), SerialWait::TimedOut);
    device.WakeUp();
    EXPECT_EQ(device.WaitForInput(2000), SerialWait::WokenUp);
}

TEST(SerialDeviceWin32Names, DeviceNamespaceReachesEveryPortNumber)
{
    EXPECT_EQ(SerialDevice::DevicePath("COM1"), "\\\\.\\COM1");
    EXPECT_EQ(SerialDevice::DevicePath("COM16"), "\\\\.\\COM16");
    SerialDevice device;
    EXPECT_EQ(device.Open("COM99"), 0) << "no such port";
    EXPECT_FALSE(device.IsOpen());
}

}  // namespace
