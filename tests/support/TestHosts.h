// The hosts the objects under test are built with: each routes to the double a test has installed for its
// lifetime (RecordingMessageHost, RecordingFileDialogHost, ManualTimerService, ...), and without one behaves
// as a run without windows does. One registry and one dialog list serve the whole test binary.
#pragma once

#include "framework/OperatorHosts.h"

OperatorHosts& TestHosts();

// The doubles installed behind TestHosts(); each setter gives the previous one back. Null: none.
MessageHost* SetMessageHost(MessageHost* host);
MessageHost* GetMessageHost();
FileDialogHost* SetFileDialogHost(FileDialogHost* host);
FileDialogHost* GetFileDialogHost();
UiHost* SetUiHost(UiHost* host);
UiHost* GetUiHost();
TimerService* SetTimerService(TimerService* service);
TimerService* GetTimerService();
ShellHost* SetShellHost(ShellHost* host);
ShellHost* GetShellHost();

// Installs a window-system host behind TestHosts() for the lifetime of the object.
template <typename Host, Host* (*Set)(Host*)>
class ScopedHost {
public:
    explicit ScopedHost(Host& host) : previous_(Set(&host)) {}
    ~ScopedHost() { Set(previous_); }
    ScopedHost(const ScopedHost&) = delete;
    ScopedHost& operator=(const ScopedHost&) = delete;

private:
    Host* previous_;
};
using ScopedUiHost = ScopedHost<UiHost, &SetUiHost>;
using ScopedTimerService = ScopedHost<TimerService, &SetTimerService>;
