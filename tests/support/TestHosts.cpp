// Hosts that route to the installed test doubles.
#include "support/TestHosts.h"

#include "framework/StandardHosts.h"

namespace {

MessageHost* g_messages = nullptr;
FileDialogHost* g_fileDialogs = nullptr;
UiHost* g_ui = nullptr;
TimerService* g_timers = nullptr;
ShellHost* g_shell = nullptr;

template <typename T>
T* Exchange(T*& slot, T* value)
{
    T* previous = slot;
    slot = value;
    return previous;
}

StandardHosts& Fallback()
{
    static StandardHosts hosts;
    return hosts;
}

class RoutedMessages : public MessageHost {
public:
    MessageResult Show(const MessageRequest& request) override
    {
        MessageHost* host = GetMessageHost();
        return host ? host->Show(request) : Fallback().messages.Show(request);
    }
};

class RoutedFileDialogs : public FileDialogHost {
public:
    FileDialogResult Show(const FileDialogRequest& request) override
    {
        FileDialogHost* host = GetFileDialogHost();
        return host ? host->Show(request) : Fallback().fileDialogs.Show(request);
    }
    bool FileExists(const std::string& path) override
    {
        FileDialogHost* host = GetFileDialogHost();
        return host ? host->FileExists(path) : Fallback().fileDialogs.FileExists(path);
    }
};

class RoutedUi : public UiHost {
public:
    void ShowWaitCursor(bool show) override
    {
        if (UiHost* host = GetUiHost()) host->ShowWaitCursor(show);
    }
    void PumpMessages(bool paintOnly) override
    {
        if (UiHost* host = GetUiHost()) host->PumpMessages(paintOnly);
    }
};

class RoutedTimers : public TimerService {
public:
    int StartTimer(int intervalMs, std::function<void()> callback) override
    {
        TimerService* service = GetTimerService();
        return service ? service->StartTimer(intervalMs, std::move(callback)) : 0;
    }
    void StopTimer(int timerId) override
    {
        if (TimerService* service = GetTimerService()) service->StopTimer(timerId);
    }
};

class RoutedShell : public ShellHost {
public:
    void Open(const std::string& target) override
    {
        ShellHost* host = GetShellHost();
        if (host) {
            host->Open(target);
        } else {
            Fallback().shell.Open(target);
        }
    }
};

}  // namespace

MessageHost* SetMessageHost(MessageHost* host) { return Exchange(g_messages, host); }
MessageHost* GetMessageHost() { return g_messages; }
FileDialogHost* SetFileDialogHost(FileDialogHost* host) { return Exchange(g_fileDialogs, host); }
FileDialogHost* GetFileDialogHost() { return g_fileDialogs; }
UiHost* SetUiHost(UiHost* host) { return Exchange(g_ui, host); }
UiHost* GetUiHost() { return g_ui; }
TimerService* SetTimerService(TimerService* service) { return Exchange(g_timers, service); }
TimerService* GetTimerService() { return g_timers; }
ShellHost* SetShellHost(ShellHost* host) { return Exchange(g_shell, host); }
ShellHost* GetShellHost() { return g_shell; }

OperatorHosts& TestHosts()
{
    static RoutedMessages messages;
    static RoutedFileDialogs fileDialogs;
    static RoutedUi ui;
    static RoutedTimers timers;
    static RoutedShell shell;
    static OperatorHosts hosts{messages, fileDialogs, ui, timers, shell, Fallback().onlineStatus, Fallback().openDialogs};
    return hosts;
}
