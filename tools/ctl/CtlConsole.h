// Everything the companion prints, from any camera's thread: lines for people on standard output, messages
// on standard error, and with several cameras on a terminal one progress bar per camera below them. One
// mutex orders it all, so that lines of two cameras never run into each other and a bar never lands in
// the middle of a line.
#pragma once

#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

class CtlConsole {
public:
    // bars: the progress bars are drawn (standard error is a terminal and --quiet was not given); rows:
    // one bar per camera.
    CtlConsole(std::FILE* out, std::FILE* err, bool bars, int rows);
    ~CtlConsole();
    CtlConsole(const CtlConsole&) = delete;
    CtlConsole& operator=(const CtlConsole&) = delete;

    // One line (its line end added) on standard output or standard error.
    void Out(const std::string& line);
    void Err(const std::string& line);
    // Bytes on standard output as they are (a setting file's CR LF lines).
    void Raw(const std::string& bytes);

    // The bar of one camera: "<label>  [####      ]  40%  <message>". Redrawn at most ten times a second
    // unless forced.
    void SetBar(int row, const std::string& label, int percent, const std::string& message, bool force);

    std::FILE* OutStream() const { return out_; }

private:
    void Write(std::FILE* stream, const std::string& text);
    void ClearBars();
    void DrawBars();

    std::mutex mutex_;
    std::FILE* out_;
    std::FILE* err_;
    bool bars_;
    std::vector<std::string> rows_;  // empty: that camera has shown no progress yet
    int drawn_ = 0;  // bar lines on the terminal now, the cursor on the line below them
    std::chrono::steady_clock::time_point lastDrawn_{};
};
