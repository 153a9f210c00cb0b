// Pages, a protocol on a link to the simulated camera in this process (started on demand) and the reader
// under test, all on the manual clock, with recorders for the traffic, the message pump, the open dialogs
// and the reader's hooks.
#pragma once

#include "dialogs/CProgressBarDialog.h"
#include "dialogs/ProgressWindow.h"
#include "settings/ControlMode.h"
#include "settings/RegistrySettings.h"

#include "support/PageFixture.h"

#include "framework/DialogWindow.h"
#include "framework/UiHost.h"
#include "link/ComPort.h"
#include "link/Command.h"
#include "link/SerialLink.h"
#include "link/TrafficSink.h"
#include "pages/CameraReader.h"
#include "support/InProcessCamera.h"
#include "support/RecordingMessageHost.h"
#include "support/SteppedLineTime.h"
#include "tables/CameraModelInfo.h"

#include <QComboBox>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class RecordingSink : public TrafficSink {
public:
    void AddLine(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

// Records the progress bar at every pump of the read loop (the paint-only pumps of the protocol's
// waits are not the loop's) and lets a test act from inside the loop.
class PumpRecorder : public UiHost {
public:
    PumpRecorder();
    ~PumpRecorder() override;
    void ShowWaitCursor(bool) override {}
    void PumpMessages(bool paintOnly) override;

    std::vector<int> positions;  // the progress window's position at each pump
    std::function<void()> onPump;
    const CProgressBarDialog* progress = nullptr;

private:
    UiHost* previous_;
};

class FakeDialog : public DialogWindow {
public:
    bool WindowExists() const override { return true; }
    void EnableDialogWindow(bool enable) override
    {
        changes.push_back(enable);
        enabled = enable;
    }
    std::vector<bool> changes;
    bool enabled = true;
};

class CountingHooks : public LutEditorWindows, public LineRateDisplay {
public:
    void HideAll() override { ++hides; }
    void ShowLineRate() override { ++lineRates; }
    int hides = 0;
    int lineRates = 0;
};

class ReaderFixture : public PagesFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the simulated camera with these options (the command line of rv8200xc-camsim) and opens the
    // link to it at the camera's speed.
    void StartCamera(const std::vector<std::string>& options);
    // The query and setting lines sent since the last ClearTraffic, without their "Tx: ".
    std::vector<std::string> Queries() const;
    std::vector<std::string> Settings() const;
    void ClearTraffic() { terminal_.lines.clear(); }

    QWidget* Control(int controlId) const;
    QComboBox* Combo(int controlId) const;
    bool Shown(int controlId) const;
    bool Enabled(int controlId) const;
    void Select(int controlId, int index) const;
    void UseModel(int modelCode, const std::string& name = {});
    void SetFactoryMode(int mode);

    RecordingMessageHost host_;
    RegistrySettings settings_;
    ControlMode mode_{settings_};
    CameraModelInfo model_;
    CProgressBarDialog progressDialog_;
    PumpRecorder pump_;
    RecordingSink terminal_;
    ComPort port_;
    SteppedLineTime clock_;  // the camera's line, the link and the protocol: time-outs pass at once
    std::unique_ptr<InProcessCamera> camera_;
    std::unique_ptr<SerialLink> link_;
    std::unique_ptr<Command> command_;
    std::unique_ptr<CameraReader> reader_;
    std::unique_ptr<ProgressWindow> progress_;
    std::unique_ptr<QWidget> mainWindow_;
    CountingHooks hooks_;
};
