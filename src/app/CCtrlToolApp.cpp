// The process frame.
#include "app/CCtrlToolApp.h"

#include "app/CCtrlToolDlg.h"
#include "framework/FileDialogHost.h"
#include "framework/MessageBox.h"
#include "framework/TimerService.h"
#include "framework/UiHost.h"
#include "framework/qt/QtFileDialogHost.h"
#include "framework/qt/QtMessageHost.h"
#include "framework/qt/QtTimerService.h"
#include "framework/qt/QtUiHost.h"
#include "link/Command.h"
#include "link/SerialLink.h"
#include "settings/ControlMode.h"
#include "settings/RegistrySettings.h"

#include <memory>

int CCtrlToolApp::InitInstance()
{
    // Process-wide objects are destroyed in the reverse order of their creation, which is the order of
    // the exit-time writes: the link settings, then the control mode, then the settings store with
    // the normal-end mark. A run that ends any other way never destroys them and writes none of it.
    GetRegistrySettings();
    GetControlMode();
    GetSerialLink();
    GetCommand();

    std::unique_ptr<QtMessageHost> messageHost;
    if (!GetMessageHost()) messageHost = std::make_unique<QtMessageHost>();
    std::unique_ptr<QtFileDialogHost> fileDialogHost;
    if (!GetFileDialogHost()) fileDialogHost = std::make_unique<QtFileDialogHost>();
    std::unique_ptr<QtTimerService> timerService;
    if (!GetTimerService()) timerService = std::make_unique<QtTimerService>();
    std::unique_ptr<QtUiHost> uiHost;
    if (!GetUiHost()) uiHost = std::make_unique<QtUiHost>();

    {
        CCtrlToolDlg dialog;
        if (messageHost) messageHost->SetParentWindow(&dialog);
        if (fileDialogHost) fileDialogHost->SetParentWindow(&dialog);
        dialog.SetStartUpFinishedHandler([this, &dialog] {
            if (started_) started_(dialog);
        });
        dialog.exec();
        // The protocol's poll must not outlive the timer service it runs on.
        GetCommand().StopPolling();
    }
    return 0;
}
