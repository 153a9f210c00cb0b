// The process frame and the composition root: creates the window system's hosts, the run's objects and the
// window's parts once, runs the main window to its end, after which the run's objects write the link
// settings, the control mode and, last, the normal-end mark.
#pragma once

#include <functional>

class CCtrlToolDlg;
class QtFileDialogHost;
class QtMessageHost;
struct OperatorHosts;

class CCtrlToolApp {
public:
    // With `hosts` (an end-to-end run's), the run uses them instead of the window system's own.
    explicit CCtrlToolApp(OperatorHosts* hosts = nullptr) : hosts_(hosts) {}
    CCtrlToolApp(const CCtrlToolApp&) = delete;
    CCtrlToolApp& operator=(const CCtrlToolApp&) = delete;

    // Creates the settings objects in the order that makes their exit-time writes come out right, runs the
    // main window modally and gives the process's exit code. Needs a QApplication.
    int InitInstance();

    // Called once the main window's start-up has finished (end-to-end runs drive the window from here).
    void SetStartedHandler(std::function<void(CCtrlToolDlg&)> handler) { started_ = std::move(handler); }

private:
    int Run(OperatorHosts& hosts, QtMessageHost* messages, QtFileDialogHost* fileDialogs);

    OperatorHosts* hosts_;
    std::function<void(CCtrlToolDlg&)> started_;
};
