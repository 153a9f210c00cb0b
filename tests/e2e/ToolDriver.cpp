// The whole tool in a process of its own, for end-to-end tests of its start and end. The first argument
// chooses the end: "close" (the operator closes the window and confirms) or "crash" (the process dies
// without any clean-up). Every message box is answered with its first button and printed to stdout.
#include "app/CCtrlToolApp.h"
#include "app/CCtrlToolDlg.h"
#include "dialogs/CProgressBarDialog.h"
#include "framework/StandardHosts.h"
#include "framework/qt/QtTimerService.h"
#include "framework/qt/QtUiHost.h"
#include "support/RecordingMessageHost.h"

#include <QApplication>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void PrintMessages(const RecordingMessageHost& host)
{
    for (const std::string& text : host.Texts()) std::printf("MESSAGE %s\n", text.c_str());
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const std::string ending = argc > 1 ? argv[1] : "close";
    RecordingMessageHost host;
    QtUiHost ui;
    QtTimerService timers;
    StandardHosts standard;
    OperatorHosts hosts{host, standard.fileDialogs, ui, timers, standard.shell, standard.onlineStatus, standard.openDialogs};

    CCtrlToolApp tool(&hosts);
    tool.SetStartedHandler([&](CCtrlToolDlg& dialog) {
        std::printf("TABS %d\n", dialog.TabControl()->count());
        PrintMessages(host);
        host.Clear();
        // An end that runs no destructor at all, as when the process is killed.
        if (ending == "crash") std::_Exit(3);
        QTimer::singleShot(0, &dialog, [&dialog] { dialog.close(); });
    });
    const int result = tool.InitInstance();
    PrintMessages(host);
    return result;
}
