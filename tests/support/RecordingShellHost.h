// A shell host for tests: keeps every open request instead of starting a viewer.
#pragma once

#include "framework/ShellHost.h"

#include <string>
#include <vector>

class RecordingShellHost : public ShellHost {
public:
    // Installs itself for its lifetime and puts the previous host back afterwards.
    RecordingShellHost();
    ~RecordingShellHost() override;
    RecordingShellHost(const RecordingShellHost&) = delete;
    RecordingShellHost& operator=(const RecordingShellHost&) = delete;

    void Open(const std::string& target) override { opened.push_back(target); }

    std::vector<std::string> opened;

private:
    ShellHost* previous_;
};
