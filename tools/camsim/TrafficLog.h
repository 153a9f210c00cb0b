// Time-stamped record of every line the pseudo-terminal camera receives, sends or loses.
#pragma once

#include "camsim/InProcessLink.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace camsim {

class TrafficLog {
public:
    TrafficLog() = default;
    ~TrafficLog();
    TrafficLog(const TrafficLog&) = delete;
    TrafficLog& operator=(const TrafficLog&) = delete;

    // Appends to the file (created when missing). 1 on success, 0 with the reason in error.
    int Open(const std::string& path, std::string& error);
    // One line: "2026-12-07 21:04:05.123 RX GA?" (RX received, TX sent, LOST at a wrong speed or after a
    // disconnection). Bytes outside printable ASCII are written as \xHH so the log stays one line per line.
    void Record(InProcessLink::Traffic kind, std::string_view line);

    static std::string Escape(std::string_view line);

private:
    std::FILE* file_ = nullptr;
};

}  // namespace camsim
