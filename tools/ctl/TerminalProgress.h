// The progress of a long verb as a bar on standard error, drawn only when standard error is a terminal:
// a script's captured output never holds it.
#pragma once

#include "framework/ProgressSink.h"

#include <chrono>
#include <string>

class TerminalProgress : public ProgressSink {
public:
    // enabled false: every call does nothing (standard error is a pipe or a file, or --quiet).
    explicit TerminalProgress(bool enabled) : enabled_(enabled) {}
    ~TerminalProgress() override;

    void Open(const std::string& message) override;
    void SetMessage(const std::string& text) override;
    void SetPosition(int percent) override;
    void Close() override;

private:
    void Draw(bool force);

    bool enabled_;
    bool open_ = false;
    std::string message_;
    int percent_ = 0;
    std::chrono::steady_clock::time_point lastDrawn_{};
};
