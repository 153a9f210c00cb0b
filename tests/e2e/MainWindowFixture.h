// The main window in this process against the simulated camera: in this process as well, on the stepped
// clock (time-outs and the camera's delays pass at once), or where a test needs a real port, as a process
// on a pseudo-terminal reached as "COM1", on the real clock.
#pragma once

#include "app/CCtrlToolDlg.h"
#include "app/ToolObjects.h"
#include "app/ToolParts.h"
#include "framework/qt/QtTimerService.h"
#include "support/CamsimProcess.h"
#include "support/InProcessCamera.h"
#include "support/SteppedLineTime.h"
#include "support/TempConfigHome.h"
#include "support/TestHosts.h"
#include "support/RecordingMessageHost.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the camera in this process with the options (the simulated camera's command line), makes the
    // run's objects afresh on fresh settings (user mode, no model known, table defaults, the link at
    // 9600 bit/s on the camera's Camera Link channel, on the stepped clock) and builds the window on them.
    void StartCamera(const std::vector<std::string>& options);
    // The same with the camera as a process on "COM1" (a traffic log is added) and the real clock.
    void StartCameraProcess(const std::vector<std::string>& options);
    // Opens the link to the camera at 9600 bit/s without the window's start-up; 1 on success.
    int OpenLink();
    // Wakes the camera's dormant faults; their line numbers count from here.
    void ArmFaults();
    // Runs the window's initialisation and its start-up against the camera.
    void StartWindow();
    // Gives the window the timers the tool runs on (the protocol's poll, the port watch); before StartWindow.
    void UseTimers()
    {
        timers_ = std::make_unique<QtTimerService>();
        timersInstalled_ = std::make_unique<ScopedTimerService>(*timers_);
    }
    // Runs the event loop until the condition holds or timeoutMs has passed; gives the condition.
    static bool RunUntil(const std::function<bool()>& condition, int timeoutMs);

    // The camera's traffic log, one line per entry ("<stamp> RX|TX|LOST <line>"), and the entries with
    // the given direction and text.
    std::vector<std::string> Traffic() const;
    int CountTraffic(const std::string& direction, const std::string& line) const;
    // Lines the camera received whose text starts with the prefix.
    int CountReceivedStartingWith(const std::string& prefix) const;
    // A page control of the window, by id (nullptr before the window is built).
    QWidget* FindPageControl(int controlId) const { return parts_ ? parts_->binding.Control(controlId) : nullptr; }
    // Selects an entry of a page's combo box as the operator would, and lets the window handle it.
    void Choose(int comboId, int index);

    RecordingMessageHost messages_;
    std::unique_ptr<QtTimerService> timers_;
    std::unique_ptr<ScopedTimerService> timersInstalled_;  // before timers_ goes
    std::unique_ptr<CamsimProcess> camera_;  // StartCameraProcess's camera
    std::unique_ptr<InProcessCamera> inProcess_;  // StartCamera's, on clock_
    SteppedLineTime clock_;
    std::unique_ptr<TempConfigHome> configHome_;  // the in-process run's settings
    std::unique_ptr<ToolObjects> objects_;
    std::unique_ptr<ToolParts> parts_;
    CCtrlToolDlg* window_ = nullptr;  // the parts' window
    std::string logPath_;

private:
    void DropRun();  // the window, the objects and the camera of an earlier start
    void MakeObjects(SerialLink::KindLookup kinds);
};
