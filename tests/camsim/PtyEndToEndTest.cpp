// The rv8200xc-camsim executable, driven like a serial port through its link symlink.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// One running simulator with its link in a private temporary folder.
class Simulator {
public:
    explicit Simulator(std::vector<std::string> args)
    {
        char folder[] = "/tmp/camsim-test-XXXXXX";
        if (mkdtemp(folder)) folder_ = folder;
        link_ = folder_ + "/camera";
        args.insert(args.begin(), {RV_CAMSIM_EXECUTABLE, "--link", link_});
        Start(args);
    }
    ~Simulator()
    {
        if (pid_ > 0) Stop();
        if (port_ >= 0) close(port_);
        unlink(link_.c_str());
        if (!folder_.empty()) {
            unlink((folder_ + "/traffic.log").c_str());
            rmdir(folder_.c_str());
        }
    }

    const std::string& Link() const { return link_; }
    const std::string& Folder() const { return folder_; }
    const std::string& SlavePath() const { return slavePath_; }

    // Opens the link like a serial port: raw, 8N1, the given speed.
    bool OpenPort(speed_t speed)
    {
        port_ = open(link_.c_str(), O_RDWR | O_NOCTTY);
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

    // SIGTERM and the exit status (-1 when it did not end within two seconds).
    int Stop()
    {
        kill(pid_, SIGTERM);
        int status = 0;
        for (int i = 0; i < 200; ++i) {
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            usleep(10000);
        }
        kill(pid_, SIGKILL);
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return -1;
    }

private:
    void Start(const std::vector<std::string>& args)
    {
        int out[2];
        ASSERT_EQ(pipe(out), 0);
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            close(out[1]);
            std::vector<char*> argv;
            for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(out[1]);
        // The first line on stdout is the slave's path, printed once the link exists.
        pollfd fd{out[0], POLLIN, 0};
        char byte = 0;
        while (poll(&fd, 1, 5000) > 0 && read(out[0], &byte, 1) == 1 && byte != '\n') slavePath_.push_back(byte);
        close(out[0]);
    }

    std::string folder_;
    std::string link_;
    std::string slavePath_;
    pid_t pid_ = -1;
    int port_ = -1;
};

long long MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

TEST(PtyCamera, AnswersAt9600AndIsSilentAtAnotherSpeed)
{
    Simulator sim({});
    ASSERT_EQ(sim.SlavePath().rfind("/dev/", 0), 0u) << sim.SlavePath();
    ASSERT_TRUE(sim.OpenPort(B9600));
    EXPECT_EQ(sim.Ask("MD?"), "MD=RV-8200-A1\r\n");
    ASSERT_TRUE(sim.SetSpeed(B19200));
    EXPECT_EQ(sim.Ask("MD?", 300), "");
    ASSERT_TRUE(sim.SetSpeed(B9600));
    EXPECT_EQ(sim.Ask("GA?"), "GA=100\r\n");
    EXPECT_EQ(sim.Stop(), 0);
}

TEST(PtyCamera, ReplacesAnExistingLinkAndRemovesItAtExit)
{
    char folder[] = "/tmp/camsim-link-XXXXXX";
    ASSERT_TRUE(mkdtemp(folder));
    const std::string link = std::string(folder) + "/port";
    std::ofstream(link) << "stale";
    const std::string nested = std::string(folder) + "/dosdevices/com1";
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
    rmdir((std::string(folder) + "/dosdevices").c_str());
    rmdir(folder);
}

TEST(PtyCamera, SpeedOptionAndTheBaudRateHandshake)
{
    Simulator sim({"--speed", "16"});
    ASSERT_TRUE(sim.OpenPort(B9600));
    EXPECT_EQ(sim.Ask("MD?", 300), "");
    ASSERT_TRUE(sim.SetSpeed(B115200));
    EXPECT_EQ(sim.Ask("CBDRT=1"), "COMPLETE\r\n");
    EXPECT_EQ(sim.Ask("MD?", 300), "") << "the camera listens at 9600 now";
    ASSERT_TRUE(sim.SetSpeed(B9600));
    EXPECT_EQ(sim.Ask("CBDRT?"), "CBDRT=1\r\n");
}

TEST(PtyCamera, LogsEveryLineWithATimeStamp)
{
    Simulator probe({});
    const std::string log = probe.Folder() + "/traffic.log";
    probe.Stop();
    Simulator sim({"--log", log});
    ASSERT_TRUE(sim.OpenPort(B9600));
    sim.Ask("GA=900");
    ASSERT_TRUE(sim.SetSpeed(B38400));
    sim.Ask("GA?", 200);
    EXPECT_EQ(sim.Stop(), 0);
    std::ifstream file(log);
    std::stringstream text;
    text << file.rdbuf();
    const std::string content = text.str();
    EXPECT_NE(content.find(" RX GA=900\n"), std::string::npos) << content;
    EXPECT_NE(content.find(" TX ERROR: GA 900 out of range 100..800\n"), std::string::npos) << content;
    EXPECT_NE(content.find(" LOST GA?\n"), std::string::npos) << content;
    EXPECT_EQ(content.substr(4, 1), "-") << "lines begin with the date";
    unlink(log.c_str());
}

TEST(PtyCamera, WireTimeMakesTheLineAsSlowAsARealOne)
{
    Simulator sim({"--wire-time"});
    ASSERT_TRUE(sim.OpenPort(B9600));
    ASSERT_EQ(sim.Ask("UD=" + std::string(60, 'u')), "COMPLETE\r\n");
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(sim.Ask("UD?"), "UD=" + std::string(60, 'u') + "\r\n");
    // 5 bytes out and 65 back at 9600 bit/s: about 73 ms on the wire.
    EXPECT_GE(MillisecondsSince(start), 70);
}

TEST(PtyCamera, SilentAndDisconnectingCamerasGoQuiet)
{
    Simulator silent({"--silent"});
    ASSERT_TRUE(silent.OpenPort(B9600));
    EXPECT_EQ(silent.Ask("MD?", 300), "");

    Simulator leaving({"--disconnect-after", "1"});
    ASSERT_TRUE(leaving.OpenPort(B9600));
    EXPECT_EQ(leaving.Ask("MD?"), "MD=RV-8200-A1\r\n");
    EXPECT_EQ(leaving.Ask("MD?", 300), "");
}

TEST(PtyCamera, GarbageOverlongAndSplitAnswers)
{
    Simulator noisy({"--garbage"});
    ASSERT_TRUE(noisy.OpenPort(B9600));
    const std::string junk = noisy.Ask("MD?");
    EXPECT_EQ(junk.find("MD=RV-8200-A1"), std::string::npos);
    EXPECT_EQ(junk.substr(junk.size() - 2), "\r\n");

    Simulator chatty({"--overlong"});
    ASSERT_TRUE(chatty.OpenPort(B9600));
    EXPECT_GT(chatty.Ask("MD?").size(), 1025u);

    Simulator halting({"--split", "40"});
    ASSERT_TRUE(halting.OpenPort(B9600));
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(halting.Ask("MD?"), "MD=RV-8200-A1\r\n");
    EXPECT_GE(MillisecondsSince(start), 3 * 40) << "15 bytes in pieces of 4: three pauses";
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
