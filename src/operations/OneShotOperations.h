// The page controls that start the camera's one-shot operations: the White Balance Mode combo, the
// recalibration buttons and "Camera Reset".
#pragma once

#include "framework/OperatorHosts.h"

#include <functional>

class CalibrationRunner;
class CameraReader;
class Command;
class ControlTable;
class PageBinding;
class ParameterHandlers;
struct CameraModelInfo;

class OneShotOperations {
public:
    OneShotOperations(CalibrationRunner& runner, Command& command, ControlTable& table, CameraReader& reader,
                      const CameraModelInfo& model, PageBinding& pages, OperatorHosts hosts);

    void Install(ParameterHandlers& handlers);
    // What ends the tool after a camera reset (the main window closes without asking). Null: nothing.
    void SetCameraResetHandler(std::function<void()> handler) { cameraReset_ = std::move(handler); }

    // The White Balance Mode combo's new selection: a one-shot balance or a plain mode change.
    void WhiteBalanceSelected();
    void CameraReset();

private:
    CalibrationRunner& runner_;
    Command& command_;
    ControlTable& table_;
    CameraReader& reader_;
    const CameraModelInfo& model_;
    PageBinding& pages_;
    std::function<void()> cameraReset_;
    OperatorHosts hosts_;
};
