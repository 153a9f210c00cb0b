// The process frame.
#include "app/CCtrlToolApp.h"

#include "app/CCtrlToolDlg.h"
#include "app/ToolObjects.h"
#include "app/ToolParts.h"
#include "framework/StandardHosts.h"
#include "framework/qt/QtFileDialogHost.h"
#include "framework/qt/QtMessageHost.h"
#include "framework/qt/QtTimerService.h"
#include "framework/qt/QtUiHost.h"

#include <memory>

OperatorHosts InstalledHosts(StandardHosts& fallback)
{
    MessageHost* messages = GetMessageHost();
    FileDialogHost* fileDialogs = GetFileDialogHost();
    UiHost* ui = GetUiHost();
    TimerService* timers = GetTimerService();
    ShellHost* shell = GetShellHost();
    return {messages ? *messages : fallback.messages,
            fileDialogs ? *fileDialogs : fallback.fileDialogs,
            ui ? *ui : fallback.ui,
            timers ? *timers : fallback.timers,
            shell ? *shell : fallback.shell,
            GetOnlineStatusRegistry(),
            GetOpenDialogList()};
}

int CCtrlToolApp::InitInstance()
{
    std::unique_ptr<QtMessageHost> messageHost;
    if (!GetMessageHost()) messageHost = std::make_unique<QtMessageHost>();
    std::unique_ptr<QtFileDialogHost> fileDialogHost;
    if (!GetFileDialogHost()) fileDialogHost = std::make_unique<QtFileDialogHost>();
    std::unique_ptr<QtTimerService> timerService;
    if (!GetTimerService()) timerService = std::make_unique<QtTimerService>();
    std::unique_ptr<QtUiHost> uiHost;
    if (!GetUiHost()) uiHost = std::make_unique<QtUiHost>();
    StandardHosts fallback;
    OperatorHosts hosts = InstalledHosts(fallback);

    {
        // The run's objects outlive the window; their destruction at the end of this block writes the
        // settings back (ToolObjects).
        ToolObjects objects;
        ToolParts parts(objects, hosts);
        CCtrlToolDlg& dialog = parts.window;
        if (messageHost) messageHost->SetParentWindow(&dialog);
        if (fileDialogHost) fileDialogHost->SetParentWindow(&dialog);
        parts.SetStartedHandler([this, &dialog] {
            if (started_) started_(dialog);
        });
        dialog.exec();
        // The protocol's poll must not outlive the timer service it runs on.
        objects.command.StopPolling();
    }
    return 0;
}
