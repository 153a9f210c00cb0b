// The hosts of a run without windows: messages go to standard error and take their default button, file
// dialogs end as Cancel, waits show nothing, no timer runs, and documents open with the platform's opener.
// The command-line companion runs on them; the window's composition root and the test fixtures replace
// the members they need.
#pragma once

#include "framework/FileDialogHost.h"
#include "framework/MessageBox.h"
#include "framework/OnlineStatusRegistry.h"
#include "framework/OpenDialogList.h"
#include "framework/OperatorHosts.h"
#include "framework/ShellHost.h"
#include "framework/TimerService.h"
#include "framework/UiHost.h"

class DefaultAnswerMessageHost : public MessageHost {
public:
    MessageResult Show(const MessageRequest& request) override;
};

class CancelFileDialogHost : public FileDialogHost {
public:
    FileDialogResult Show(const FileDialogRequest& request) override;
    bool FileExists(const std::string& path) override;
};

class QuietUiHost : public UiHost {
public:
    void ShowWaitCursor(bool) override {}
    void PumpMessages(bool) override {}
};

class NoTimerService : public TimerService {
public:
    int StartTimer(int, std::function<void()>) override { return 0; }
    void StopTimer(int) override {}
};

class PlatformShellHost : public ShellHost {
public:
    void Open(const std::string& target) override;
};

// One of each, owned, and the bundle over them.
struct StandardHosts {
    DefaultAnswerMessageHost messages;
    CancelFileDialogHost fileDialogs;
    QuietUiHost ui;
    NoTimerService timers;
    PlatformShellHost shell;
    OnlineStatusRegistry onlineStatus;
    OpenDialogList openDialogs;

    OperatorHosts Bundle() { return {messages, fileDialogs, ui, timers, shell, onlineStatus, openDialogs}; }
};
