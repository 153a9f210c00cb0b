// The companion's message host: what the windowed tool shows in a message box goes to standard error,
// one line per message line, and is kept so that a verb can report it in its own output.
#pragma once

#include "framework/MessageBox.h"

#include <cstdio>
#include <string>
#include <vector>

class StderrMessageHost : public MessageHost {
public:
    explicit StderrMessageHost(std::FILE* out = stderr) : out_(out) {}

    // Printed as "rv8200xc-ctl: [caption: ]text"; a question is answered with its first button (Yes, OK):
    // the companion asks nothing it has not been told on its command line.
    MessageResult Show(const MessageRequest& request) override;

    const std::vector<MessageRequest>& Shown() const { return shown_; }
    void Clear() { shown_.clear(); }

private:
    std::FILE* out_;
    std::vector<MessageRequest> shown_;
};
