// Starting and stopping the simulated camera process.
#include "support/CamsimProcess.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

extern char** environ;

CamsimProcess::CamsimProcess(const std::string& executable, int portNumber, const std::vector<std::string>& options)
{
    char dir[] = "/tmp/rv-camsim-XXXXXX";
    if (!::mkdtemp(dir)) {
        error_ = "no temporary folder";
        return;
    }
    folder_ = dir;
    ::setenv("XDG_CONFIG_HOME", dir, 1);
    const std::filesystem::path devices = std::filesystem::path(dir) / "orvane" / "dosdevices";
    std::filesystem::create_directories(devices);
    linkPath_ = (devices / ("com" + std::to_string(portNumber))).string();
    logPath_ = folder_ + "/camsim.log";

    std::vector<std::string> args{executable, "--link", linkPath_};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, logPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = -1;
    const int rc = ::posix_spawn(&pid, executable.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        error_ = "cannot start " + executable;
        return;
    }
    pid_ = pid;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        std::error_code ec;
        if (std::filesystem::exists(linkPath_, ec)) {
            ready_ = true;
            return;
        }
        if (!Running()) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    error_ = "the simulated camera did not come up: " + Log();
}

CamsimProcess::~CamsimProcess()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        int status = 0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (::waitpid(pid_, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                ::kill(pid_, SIGKILL);
                ::waitpid(pid_, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

bool CamsimProcess::Running()
{
    if (pid_ <= 0) return false;
    int status = 0;
    const pid_t r = ::waitpid(pid_, &status, WNOHANG);
    if (r == pid_) {
        pid_ = -1;
        return false;
    }
    return r == 0;
}

std::string CamsimProcess::Log() const
{
    std::ifstream in(logPath_);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool CamsimProcess::Signal(int signalNumber) { return Running() && ::kill(pid_, signalNumber) == 0; }

bool CamsimProcess::WaitForLog(const std::string& text, int count, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (true) {
        const std::string log = Log();
        int seen = 0;
        for (std::size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + text.size())) ++seen;
        if (seen >= count) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}
