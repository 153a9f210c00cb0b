// Reads the camera's settings into the control table, shows them on the pages and keeps the
// dependent controls enabled, disabled or limited to match the values shown.
#pragma once

#include "framework/OperatorHosts.h"

#include "link/CameraSession.h"
#include "pages/PageBinding.h"

#include <QPointer>
#include <QWidget>

class CameraModelInfo;
class Command;
class ControlMode;
class ControlTable;
class ProgressSink;

// The LUT editor windows that must close when the camera's settings are reloaded.
class LutEditorWindows {
public:
    virtual ~LutEditorWindows() = default;
    virtual void HideAll() = 0;
};

// The main window's line-rate display, refreshed after a read.
class LineRateDisplay {
public:
    virtual ~LineRateDisplay() = default;
    virtual void ShowLineRate() = 0;
};

class CameraReader {
public:
    // The model check records the model in `model`; the control mode decides whether factory rows are read.
    CameraReader(Command& command, ControlTable& table, CameraModelInfo& model, ControlMode& mode, OperatorHosts hosts);

    // Asks the camera for its model and records it in the model record: 1 when the camera answered
    // (an unsupported model too, after its message), 0 when it did not (the record is unchanged). A
    // refused query is shown unless `quiet` (a bulk operation counts it instead).
    int ModelCheck(bool quiet = false);
    // The recorded model on the pages: the Camera Model combo, the controls the model lacks hidden and
    // those of the other model shown, the model's combo entries. An unknown model keeps the layout.
    void ModelSetup();
    // Queries every row the current model and control mode have into the table, with the progress
    // window. A row that fails keeps its value and the read goes on; at the second unanswered request in
    // a row the read stops. One summary says what was not read. Gives 1 when every row was read.
    int ReadAllSettings(const RequestOutcome* modelCheck = nullptr, const RequestOutcome* earlier = nullptr);
    // Queries one control's value into the table and shows it; 1 on success, else the failure's box. A
    // command the connected model lacks is not asked for (0, silently).
    int ReadOneValue(int controlId);
    // The same without a box: the outcome, for an operation that reports its requests together.
    RequestOutcome ReadValueQuietly(int controlId);
    void ShowAllValues();
    // Shows only the rows whose value differs from the shadow.
    void ShowChangedValues();

    void UpdateControlStates();  // all six rules in order
    void UpdateLutState();
    void UpdatePixelCorrectionState();
    void UpdateExposureControls();
    void UpdateGainModeState();
    void UpdateAutoResetState();
    void UpdateExposureState();

    // Model check, model set-up, read and show, with the open dialogs disabled throughout. `earlier`: a
    // request of the same action before the refresh, which counts toward the read's stop rule.
    void Refresh(const RequestOutcome* earlier = nullptr);

    // The pages the reader shows values in and keeps in their states (null: none, the reader only reads).
    void SetPages(PageBinding* pages);
    PageBinding& Pages() { return *pages_; }
    void SetMainWindow(QWidget* window);  // activated and raised after a read
    void SetLutEditors(LutEditorWindows* editors);  // null: nothing to hide
    void SetLineRateDisplay(LineRateDisplay* display);
    void SetProgress(ProgressSink* progress);  // null: the read shows no progress
    // The time-out of each single read (5000 ms; tests shorten it).
    void SetReadTimeoutMs(int timeoutMs) { session_.SetReadTimeoutMs(timeoutMs); }
    int ReadTimeoutMs() const { return session_.ReadTimeoutMs(); }
    CameraSession& Session() { return session_; }
    bool IsRefreshing() const { return refreshing_; }

    // The rows ReadAllSettings may read: all but the push buttons and the LUT index and data rows,
    // which the LUT buttons read on demand.
    static bool IsInReadList(int controlId);

private:
    bool ShouldRead(int row, bool factoryMode) const;
    void ShowModelLayout(int modelCode);
    void ActivateMainWindow();
    void ShowUnsupportedModel();  // the message for an answered model check that found no supported model

    Command& command_;
    CameraSession session_;
    ControlTable& table_;
    CameraModelInfo& model_;
    ControlMode& mode_;
    PageBinding noPages_;
    PageBinding* pages_ = &noPages_;
    QPointer<QWidget> mainWindow_;
    bool refreshing_ = false;
    LutEditorWindows* lutEditors_ = nullptr;
    LineRateDisplay* lineRateDisplay_ = nullptr;
    ProgressSink* progress_ = nullptr;
    OperatorHosts hosts_;
};
