// The process frame: runs the main window to its end, after which the process-wide objects write the
// link settings, the control mode and, last, the normal-end mark.
#pragma once

#include <functional>

class CCtrlToolDlg;
struct OperatorHosts;
struct StandardHosts;

// The installed hosts, and for each one not installed the fallback's.
OperatorHosts InstalledHosts(StandardHosts& fallback);

class CCtrlToolApp {
public:
    CCtrlToolApp() = default;
    CCtrlToolApp(const CCtrlToolApp&) = delete;
    CCtrlToolApp& operator=(const CCtrlToolApp&) = delete;

    // Creates the settings objects in the order that makes their exit-time writes come out right,
    // installs the window hosts (a host already installed, such as a test's, is kept), runs the main
    // window modally and gives the process's exit code. Needs a QApplication.
    int InitInstance();

    // Called once the main window's start-up has finished (end-to-end runs drive the window from here).
    void SetStartedHandler(std::function<void(CCtrlToolDlg&)> handler) { started_ = std::move(handler); }

private:
    std::function<void(CCtrlToolDlg&)> started_;
};
