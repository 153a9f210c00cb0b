// Which camera model is connected, and which commands that model lacks.
#pragma once

#include <string>

enum CameraModelCode : int { kModelCodeB1 = 0, kModelCodeA1 = 1, kModelCodeUnknown = 6 };

// The connected camera's model, as the model check found it when the camera answered.
struct CameraModelInfo {
    int modelCode = kModelCodeUnknown;
    std::string modelName;

    bool IsKnown() const { return modelCode == kModelCodeB1 || modelCode == kModelCodeA1; }
    // 1 when this model has the command (see IsSupportedOnModel).
    int Supports(int commandIndex) const;
};

// 1 when the model has the command, 0 when it is on that model's missing list. An unknown model code
// has no list: everything counts as supported.
int IsSupportedOnModel(int commandIndex, int modelCode);
