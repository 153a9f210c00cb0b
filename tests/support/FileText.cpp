// Reading files and waiting for them through inotify.
#include "support/FileText.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

int CountInText(const std::string& text, const std::string& what)
{
    int seen = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++seen;
    return seen;
}

bool WaitForText(const std::string& path, const std::function<bool(const std::string&)>& test, int timeoutMs)
{
    // The watch is set before the first look, so no change between the look and the wait is lost.
    const int watcher = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    const std::string folder = std::filesystem::path(path).parent_path().string();
    if (watcher >= 0) {
        ::inotify_add_watch(watcher, folder.empty() ? "." : folder.c_str(), IN_MODIFY | IN_CREATE | IN_MOVED_TO);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    bool found = test(ReadText(path));
    while (!found && watcher >= 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd fd{watcher, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&fd, 1, static_cast<int>(left.count())) <= 0) break;
        char events[4096];
        while (::read(watcher, events, sizeof events) > 0) {}
        found = test(ReadText(path));
    }
    if (watcher >= 0) ::close(watcher);
    return found;
}
