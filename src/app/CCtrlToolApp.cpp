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

int CCtrlToolApp::InitInstance()
{
    if (hosts_) return Run(*hosts_, nullptr, nullptr);
    // The window system's hosts, the registry and the dialog list live for the whole run, around the
    // objects that use them.
    QtMessageHost messages;
    QtFileDialogHost fileDialogs;
    QtUiHost ui;
    QtTimerService timers;
    PlatformShellHost shell;
    OnlineStatusRegistry onlineStatus;
    OpenDialogList openDialogs;
    OperatorHosts hosts{messages, fileDialogs, ui, timers, shell, onlineStatus, openDialogs};
    return Run(hosts, &messages, &fileDialogs);
}

int CCtrlToolApp::Run(OperatorHosts& hosts, QtMessageHost* messages, QtFileDialogHost* fileDialogs)
{
    // The run's objects outlive the window; their destruction at the end of this function writes the
    // settings back (ToolObjects).
    ToolObjects objects(hosts);
    ToolParts parts(objects, hosts);
    CCtrlToolDlg& dialog = parts.window;
    // Boxes and file dialogs belong to the main window.
    if (messages) messages->SetParentWindow(&dialog);
    if (fileDialogs) fileDialogs->SetParentWindow(&dialog);
    parts.SetStartedHandler([this, &dialog] {
        if (started_) started_(dialog);
    });
    dialog.exec();
    // The protocol's poll must not outlive the timer service it runs on.
    objects.command.StopPolling();
    return 0;
}
