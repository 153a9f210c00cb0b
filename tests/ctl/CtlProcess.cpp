// Running the companion as a process.
#include "CtlProcess.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

std::string ReadAndRemove(const std::string& path)
{
    std::string text = ReadText(path);
    std::remove(path.c_str());
    return text;
}

}  // namespace

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

CtlRun RunCtl(const std::vector<std::string>& args, double limitSeconds)
{
    std::vector<std::string> all{RV_CTL_EXECUTABLE};
    all.insert(all.end(), args.begin(), args.end());
    return RunProgram(all, limitSeconds);
}

CtlRun RunProgram(const std::vector<std::string>& argvIn, double limitSeconds)
{
    static int counter = 0;
    const std::string stem = "/tmp/rv-ctl-run-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
    const std::string outPath = stem + ".out";
    const std::string errPath = stem + ".err";
    std::vector<std::string> all = argvIn;
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    CtlRun run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = -1;
    const int rc = ::posix_spawn(&pid, all[0].c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return run;
    int wstatus = 0;
    bool ended = false;
    while (!ended) {
        const pid_t done = ::waitpid(pid, &wstatus, WNOHANG);
        if (done == pid) {
            ended = true;
            break;
        }
        if (std::chrono::steady_clock::now() - start > std::chrono::duration<double>(limitSeconds)) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &wstatus, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (ended && WIFEXITED(wstatus)) run.status = WEXITSTATUS(wstatus);
    run.out = ReadAndRemove(outPath);
    run.err = ReadAndRemove(errPath);
    return run;
}
