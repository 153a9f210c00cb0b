// Starting, watching and ending a test's child process, without polling the clock.
#include "support/TestProcess.h"

#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int OpenOrNull(const std::string& path, int flags)
{
    return ::open(path.empty() ? "/dev/null" : path.c_str(), flags | O_CLOEXEC, 0644);
}

}  // namespace

TestProcess::~TestProcess() { Stop(); }

bool TestProcess::Start(const Launch& launch)
{
    if (launch.argv.empty()) {
        error_ = "no program";
        return false;
    }
    // Everything the child needs is prepared here: between fork and exec only async-signal-safe calls.
    std::vector<std::string> args = launch.argv;
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const int in = OpenOrNull(launch.inPath, O_RDONLY);
    const int out = OpenOrNull(launch.outPath, O_WRONLY | O_CREAT | O_TRUNC);
    const int err = launch.errPath.empty() ? -1 : OpenOrNull(launch.errPath, O_WRONLY | O_CREAT | O_TRUNC);
    int ready[2] = {-1, -1};
    if (in < 0 || out < 0 || (!launch.errPath.empty() && err < 0) ||
        (launch.readyFd >= 3 && ::pipe2(ready, O_CLOEXEC) != 0)) {
        error_ = std::string("cannot prepare the child's files: ") + std::strerror(errno);
        for (int fd : {in, out, err}) {
            if (fd >= 0) ::close(fd);
        }
        return false;
    }
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setpgid(0, 0);
        // Killed with the starting thread, also when that thread is killed; the check closes the window in
        // which the parent may have gone before the request.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) ::_exit(127);
        ::dup2(in, 0);
        ::dup2(out, 1);
        ::dup2(err >= 0 ? err : out, 2);
        if (launch.readyFd >= 3) ::dup2(ready[1], launch.readyFd);
        // Nothing else of the test (a terminal's master, a listening socket) leaks into the child.
        ::syscall(SYS_close_range, static_cast<unsigned>(launch.readyFd >= 3 ? launch.readyFd + 1 : 3), ~0U, 0U);
        if (launch.readyFd > 3) ::syscall(SYS_close_range, 3U, static_cast<unsigned>(launch.readyFd - 1), 0U);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    for (int fd : {in, out, err, ready[1]}) {
        if (fd >= 0) ::close(fd);
    }
    if (pid < 0) {
        error_ = std::string("cannot fork: ") + std::strerror(errno);
        if (ready[0] >= 0) ::close(ready[0]);
        return false;
    }
    // Also in the parent, so that a signal sent at once reaches the group.
    ::setpgid(pid, pid);
    pid_ = pid;
    exitStatus_ = -2;
    readyRead_ = ready[0];
    pidFd_ = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (pidFd_ < 0) error_ = std::string("no pidfd: ") + std::strerror(errno);
    return pidFd_ >= 0;
}

bool TestProcess::WaitReady(int timeoutMs, std::string& line)
{
    line.clear();
    if (readyRead_ < 0) return false;
    bool complete = false;
    while (!complete) {
        pollfd fd{readyRead_, POLLIN, 0};
        char byte = 0;
        if (::poll(&fd, 1, timeoutMs) <= 0 || ::read(readyRead_, &byte, 1) != 1) break;
        if (byte == '\n') {
            complete = true;
        } else {
            line.push_back(byte);
        }
    }
    ::close(readyRead_);
    readyRead_ = -1;
    return complete;
}

void TestProcess::Reap(int status)
{
    exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    ::close(pidFd_);
    pidFd_ = -1;
    pid_ = -1;
}

int TestProcess::Wait(int timeoutMs)
{
    if (pid_ <= 0) return exitStatus_;
    pollfd fd{pidFd_, POLLIN, 0};
    if (::poll(&fd, 1, timeoutMs) <= 0) return -2;
    int status = 0;
    if (::waitpid(pid_, &status, 0) == pid_) Reap(status);
    return exitStatus_;
}

int TestProcess::Finish(int limitMs)
{
    if (pid_ <= 0) return exitStatus_;
    if (Wait(limitMs) != -2) return exitStatus_;
    ::kill(-pid_, SIGKILL);
    Wait(-1);
    return -1;
}

int TestProcess::Stop(int graceMs)
{
    if (readyRead_ >= 0) {
        ::close(readyRead_);
        readyRead_ = -1;
    }
    if (pid_ <= 0) return exitStatus_;
    ::kill(-pid_, SIGTERM);
    if (Wait(graceMs) != -2) return exitStatus_;
    ::kill(-pid_, SIGKILL);
    return Wait(-1);
}

bool TestProcess::Running() { return pid_ > 0 && Wait(0) == -2; }

bool TestProcess::Signal(int signalNumber) { return Running() && ::kill(pid_, signalNumber) == 0; }
