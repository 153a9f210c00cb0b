// The main window in this process against the simulated camera on a pseudo-terminal reached as "COM1".
#pragma once

#include "app/CCtrlToolDlg.h"
#include "app/ToolObjects.h"
#include "app/ToolParts.h"
#include "framework/qt/QtTimerService.h"
#include "support/CamsimProcess.h"
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

    // Starts the camera with the options (a traffic log is added), makes the run's objects afresh (user
    // mode, no model known, table defaults, link at 9600 bit/s) and builds the window on them.
    void StartCamera(const std::vector<std::string>& options);
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
    std::unique_ptr<CamsimProcess> camera_;
    std::unique_ptr<ToolObjects> objects_;
    std::unique_ptr<ToolParts> parts_;
    CCtrlToolDlg* window_ = nullptr;  // the parts' window
    std::string logPath_;
};
