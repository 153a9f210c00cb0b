// Test helper: one child process of a test. It runs in a process group of its own and dies with the thread
// that started it (a test killed by a time-out leaves nothing behind); it is stopped with SIGTERM, then
// SIGKILL to the whole group.
#pragma once

#include <string>
#include <vector>

#include <sys/types.h>

class TestProcess {
public:
    struct Launch {
        std::vector<std::string> argv;  // argv[0] is the program's path
        std::string inPath = "/dev/null";
        std::string outPath;  // standard output; empty: /dev/null
        std::string errPath;  // standard error; empty: where the output goes
        int readyFd = -1;  // when 3 or more: the child gets a pipe's writing end under this number
    };

    TestProcess() = default;
    ~TestProcess();  // Stop()
    TestProcess(const TestProcess&) = delete;
    TestProcess& operator=(const TestProcess&) = delete;

    // False with the reason in Error() when the program cannot be started.
    bool Start(const Launch& launch);
    // The first line the child wrote to its ready descriptor; false when it closed the pipe, ended or stayed
    // silent for timeoutMs.
    bool WaitReady(int timeoutMs, std::string& line);
    // Waits up to timeoutMs for the end; the exit status, -1 after a signal, -2 while it still runs.
    int Wait(int timeoutMs);
    // Runs to the end within limitMs or is killed: the exit status, -1 when killed or ended by a signal.
    int Finish(int limitMs);
    // SIGTERM to the group, SIGKILL after graceMs: the exit status as Wait gives it.
    int Stop(int graceMs = 3000);

    bool Running();
    bool Signal(int signalNumber);
    pid_t Pid() const { return pid_; }
    const std::string& Error() const { return error_; }

private:
    void Reap(int status);

    pid_t pid_ = -1;
    int pidFd_ = -1;  // readable once the child has ended
    int readyRead_ = -1;
    int exitStatus_ = -2;
    std::string error_;
};
