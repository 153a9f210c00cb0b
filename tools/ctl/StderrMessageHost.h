// The companion's message host: what the windowed tool shows in a message box goes to standard error,
// one line per message line, and is kept so that a verb can report it in its own output. Nothing is
// ever asked on standard input: a question takes its default button (No where Yes would send or keep
// what may be wrong), or Yes for every question when the command line says --yes.
#pragma once

#include "framework/MessageBox.h"

#include <cstdio>
#include <string>
#include <vector>

class CtlConsole;

class StderrMessageHost : public MessageHost {
public:
    explicit StderrMessageHost(std::FILE* out = stderr) : out_(out) {}

    // Printed as "rv8200xc-ctl: [port: ][caption: ]text"; a question answered No by its default is
    // followed by a line that says so.
    MessageResult Show(const MessageRequest& request) override;

    // Lines go through the shared console, each after the camera's port when there are several cameras.
    void SetConsole(CtlConsole* console, std::string port)
    {
        console_ = console;
        port_ = std::move(port);
    }
    void SetAnswerYes(bool yes) { answerYes_ = yes; }

    const std::vector<MessageRequest>& Shown() const { return shown_; }
    void Clear() { shown_.clear(); }

private:
    void Print(const std::string& line);

    std::FILE* out_;
    CtlConsole* console_ = nullptr;
    std::string port_;
    bool answerYes_ = false;
    std::vector<MessageRequest> shown_;
};
