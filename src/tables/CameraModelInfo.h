// Which camera model is connected, and which commands that model lacks.
#pragma once

#include <string>

enum CameraModelCode : int { kModelCodeB1 = 0, kModelCodeA1 = 1, kModelCodeUnknown = 6 };

struct CameraModelInfo {
    int modelCode = kModelCodeUnknown;
    std::string modelName;
};

// The process-wide record, set by the model check when a camera answers.
CameraModelInfo& GetCameraModelInfo();

// 1 when the model has the command, 0 when it is on that model's missing list. An unknown model code
// has no list: everything counts as supported.
int IsSupportedOnModel(int commandIndex, int modelCode);
// The same for the model in GetCameraModelInfo().
int IsSupportedOnModel(int commandIndex);
