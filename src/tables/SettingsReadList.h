// Which control-table rows a read of all settings asks the camera for: every value row the connected
// model has, the factory rows only in factory mode, never the push buttons or the LUT index and data
// rows (the LUT buttons read those a whole table at a time).
#pragma once

struct CameraModelInfo;
struct ControlEntry;

class SettingsReadList {
public:
    // Whether the control's row belongs to the read at all, whatever the model.
    static bool IsInReadList(int controlId);
    // Whether this row is read from a camera of this model in this mode. An unknown model reads nothing:
    // its answers could not be told apart from refusals.
    static bool ShouldRead(const ControlEntry& entry, const CameraModelInfo& model, bool factoryMode);
};
