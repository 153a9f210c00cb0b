// The seams one run reaches the operator and the window system through, as one bundle of references.
// The composition root owns the hosts, the online-status registry and the open-dialog list, and passes
// this bundle by reference to whatever shows, asks, waits or times; nothing finds them any other way.
// Only names: a layer includes the header of each host it really uses, so that the link and the file
// formats, which never speak to the operator, do not even see the message box.
#pragma once

class FileDialogHost;
class MessageHost;
class OnlineStatusRegistry;
class OpenDialogList;
class ShellHost;
class TimerService;
class UiHost;

struct OperatorHosts {
    MessageHost& messages;
    FileDialogHost& fileDialogs;
    UiHost& ui;
    TimerService& timers;
    ShellHost& shell;
    OnlineStatusRegistry& onlineStatus;
    OpenDialogList& openDialogs;
};
