// The pseudo-terminal camera's traffic log.
#include "camsim/TrafficLog.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>

namespace camsim {

TrafficLog::~TrafficLog()
{
    if (file_) std::fclose(file_);
}

int TrafficLog::Open(const std::string& path, std::string& error)
{
    file_ = std::fopen(path.c_str(), "a");
    if (!file_) {
        error = "cannot open the log " + path + ": " + std::strerror(errno);
        return 0;
    }
    return 1;
}

std::string TrafficLog::Escape(std::string_view line)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 32 && byte < 127 && byte != '\\') {
            text.push_back(c);
        } else {
            text += "\\x";
            text.push_back(kHex[byte >> 4]);
            text.push_back(kHex[byte & 15]);
        }
    }
    return text;
}

void TrafficLog::Record(InProcessLink::Traffic kind, std::string_view line)
{
    if (!file_) return;
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const long long millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    std::fprintf(file_, "%s.%03lld %s %s\n", stamp, millis, InProcessLink::TrafficTag(kind), Escape(line).c_str());
    std::fflush(file_);
}

}  // namespace camsim
