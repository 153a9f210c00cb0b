// A traffic log the link writes to: the terminal's "Tx: "/"Rx: " list or the communication dialog's list.
#pragma once

#include <string>

class TrafficSink {
public:
    virtual ~TrafficSink() = default;
    virtual void AddLine(const std::string& line) = 0;
};
