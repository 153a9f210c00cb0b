// The desktop's opener on POSIX systems, started directly (no shell) with the target as its one argument.
#include "platform/ShellOpen.h"

#include <cerrno>
#include <thread>

#include <spawn.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>

extern char** environ;

namespace {

#if defined(__APPLE__)
constexpr const char* kOpener = "open";
#else
constexpr const char* kOpener = "xdg-open";
#endif

}  // namespace

std::string ShellOpen::OpenerArgument(const std::string& target)
{
    if (target.empty() || target.front() == '/') return target;
    // "-x.pdf" would be read as an option, and a file named like "mailto:x.pdf" as an address.
    struct stat info {};
    if (target.front() == '-' || stat(target.c_str(), &info) == 0) return "./" + target;
    return target;
}

bool ShellOpen::Open(const std::string& target)
{
    if (target.empty()) return false;
    std::string program = kOpener;
    std::string argument = OpenerArgument(target);
    char* argv[] = {program.data(), argument.data(), nullptr};
    pid_t child = 0;
    // posix_spawnp searches PATH for the opener and passes argv as it is: nothing parses the name.
    if (posix_spawnp(&child, kOpener, nullptr, nullptr, argv, environ) != 0) return false;
    // The opener may run as long as its viewer does; a detached thread collects its exit status so it
    // does not stay behind as a zombie, and the caller never waits for it.
    std::thread([child] {
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    }).detach();
    return true;
}
