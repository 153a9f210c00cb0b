// The rv8200xc-camsim executable, driven like a serial port through its link symlink.
#include "support/Elapsed.h"
#include "support/FileText.h"
#include "support/TempFolder.h"
#include "support/TestProcess.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// One running simulator with its link in a private temporary folder.
class Simulator {
public:
    explicit Simulator(std::vector<std::string> args)
    {
        link_ = folder_.File("camera");
        args.insert(args.begin(), {RV_CAMSIM_EXECUTABLE, "--link", link_, "--ready-fd", "3"});
        TestProcess::Launch launch;
        launch.argv = args;
        launch.outPath = folder_.File("camsim.out");
        launch.readyFd = 3;
        if (process_.Start(launch)) process_.WaitReady(5000, slavePath_);
    }
    ~Simulator()
    {
        process_.Stop();
        if (port_ >= 0) close(port_);
    }

    std::string Folder() const { return folder_.Path().string(); }
    const std::string& SlavePath() const { return slavePath_; }
    pid_t Pid() const { return process_.Pid(); }

    // Opens the link like a serial port: raw, 8N1, the given speed.
    bool OpenPort(speed_t speed)
    {
        port_ = open(link_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        return port_ >= 0 && SetSpeed(speed);
    }
    bool SetSpeed(speed_t speed)
    {
        termios settings{};
        if (tcgetattr(port_, &settings) != 0) return false;
        cfmakeraw(&settings);
        cfsetispeed(&settings, speed);
        cfsetospeed(&settings, speed);
        return tcsetattr(port_, TCSANOW, &settings) == 0;
    }
    void Send(const std::string& text)
    {
        ASSERT_EQ(write(port_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    }
    // Bytes up to a line feed, or what came before nothing more arrived within timeoutMs.
    std::string ReadLine(int timeoutMs = 2000)
    {
        std::string line;
        while (line.empty() || line.back() != '\n') {
            pollfd fd{port_, POLLIN, 0};
            if (poll(&fd, 1, timeoutMs) <= 0) break;
            char byte = 0;
            if (read(port_, &byte, 1) != 1) break;
            line.push_back(byte);
        }
        return line;
    }
    std::string Ask(const std::string& line, int timeoutMs = 2000)
    {
        Send(line + "\r\n");
        return ReadLine(timeoutMs);
    }

    // SIGTERM and the exit status (-1 when it did not end within two seconds or ended by a signal).
    int Stop() { return process_.Stop(2000); }

private:
    TempFolder folder_{"rv-camsim"};
    std::string link_;
    std::string slavePath_;
    TestProcess process_;
    int port_ = -1;
};

TEST(PtyCamera, ReplacesAnExistingLinkAndRemovesItAtExit)
{
    const TempFolder folder;
    const std::string link = folder.File("port");
    std::ofstream(link) << "stale";
    const std::string nested = folder.File("dosdevices/com1");
    {
        Simulator sim({"--link", link});  // the later --link wins
        struct stat info {};
        ASSERT_EQ(lstat(link.c_str(), &info), 0);
        EXPECT_TRUE(S_ISLNK(info.st_mode));
        EXPECT_EQ(sim.Stop(), 0);
        EXPECT_NE(lstat(link.c_str(), &info), 0) << "the link is gone after SIGTERM";
    }
    {
        Simulator sim({"--link", nested});
        struct stat info {};
        EXPECT_EQ(lstat(nested.c_str(), &info), 0) << "missing folders above the link are created";
        EXPECT_EQ(sim.Stop(), 0);
    }
}

TEST(PtyCamera, LogsEveryLineWithATimeStamp)
{
    const TempFolder folder;
    const std::string log = folder.File("traffic.log");
    Simulator sim({"--log", log});
    ASSERT_TRUE(sim.OpenPort(B9600));
    sim.Ask("GA=900");
    ASSERT_TRUE(sim.SetSpeed(B38400));
    sim.Ask("GA?", 200);
    EXPECT_EQ(sim.Stop(), 0);
    const std::string content = ReadText(log);
    EXPECT_NE(content.find(" RX GA=900\n"), std::string::npos) << content;
    EXPECT_NE(content.find(" TX ERROR: GA 900 out of range 100..800\n"), std::string::npos) << content;
    EXPECT_NE(content.find(" LOST GA?\n"), std::string::npos) << content;
    EXPECT_EQ(content.substr(4, 1), "-") << "lines begin with the date";
}

TEST(PtyCamera, WireTimeMakesTheLineAsSlowAsARealOne)
{
    Simulator sim({"--wire-time"});
    ASSERT_TRUE(sim.OpenPort(B9600));
    ASSERT_EQ(sim.Ask("UD=" + std::string(60, 'u')), "COMPLETE\r\n");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(sim.Ask("UD?"), "UD=" + std::string(60, 'u') + "\r\n");
    // 5 bytes out and 65 back at 9600 bit/s: about 73 ms on the wire.
    EXPECT_GE(MsSince(start), 70);
}

// A test process killed outright (a runner's time-out) takes its simulated camera with it.
TEST(PtyCamera, DiesWithTheTestProcessThatStartedIt)
{
    int report[2];
    ASSERT_EQ(pipe2(report, O_CLOEXEC), 0);
    const pid_t test = fork();
    ASSERT_GE(test, 0);
    if (test == 0) {
        const Simulator sim({});
        const pid_t camera = sim.SlavePath().empty() ? -1 : sim.Pid();
        [[maybe_unused]] ssize_t sent = write(report[1], &camera, sizeof camera);
        sent = write(report[1], sim.Folder().data(), sim.Folder().size());
        close(report[1]);
        pause();  // until the SIGKILL
        _exit(0);
    }
    close(report[1]);
    pid_t camera = -1;
    const ssize_t got = read(report[0], &camera, sizeof camera);
    const std::string folder = ReadText("/proc/self/fd/" + std::to_string(report[0]));  // the child's to remove
    close(report[0]);
    ASSERT_EQ(got, static_cast<ssize_t>(sizeof camera));
    ASSERT_GT(camera, 0);
    // Watched before the kill, so the number cannot meanwhile name another process.
    const int watch = static_cast<int>(syscall(SYS_pidfd_open, camera, 0));
    ASSERT_GE(watch, 0);
    kill(test, SIGKILL);
    int status = 0;
    waitpid(test, &status, 0);
    pollfd ended{watch, POLLIN, 0};
    const bool gone = poll(&ended, 1, 10000) == 1;
    if (!gone) kill(camera, SIGKILL);
    close(watch);
    std::error_code ignored;
    if (folder.find("rv-camsim-") != std::string::npos) std::filesystem::remove_all(folder, ignored);
    EXPECT_TRUE(gone) << "the simulated camera outlived the killed test process";
}

TEST(PtyCamera, CommandLineErrorsAndHelp)
{
    auto run = [](const std::string& args) {
        const std::string command = std::string(RV_CAMSIM_EXECUTABLE) + " " + args + " >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(run("--help"), 0);
    EXPECT_EQ(run("--speed 7"), 2);
    EXPECT_EQ(run("--link /proc/no/such/folder/x"), 1);
}

}  // namespace
