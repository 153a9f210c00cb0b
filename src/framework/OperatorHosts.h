// The seams one run reaches the operator and the window system through, as one bundle of references.
// The composition root owns the hosts, the online-status registry and the open-dialog list, and passes
// this bundle by reference to whatever shows, asks, waits or times; nothing finds them any other way.
#pragma once

#include "framework/FileDialogHost.h"
#include "framework/MessageBox.h"
#include "framework/OnlineStatusRegistry.h"
#include "framework/OpenDialogList.h"
#include "framework/ShellHost.h"
#include "framework/TimerService.h"
#include "framework/UiHost.h"

struct OperatorHosts {
    MessageHost& messages;
    FileDialogHost& fileDialogs;
    UiHost& ui;
    TimerService& timers;
    ShellHost& shell;
    OnlineStatusRegistry& onlineStatus;
    OpenDialogList& openDialogs;
};
