// The factory-mode flag (control mode), kept in settings item 7 across runs.
#pragma once

class ControlMode {
public:
    ControlMode();  // reads item 7 (default 0); any stored value but 1 means user mode
    ~ControlMode();  // writes the current mode back to item 7
    ControlMode(const ControlMode&) = delete;
    ControlMode& operator=(const ControlMode&) = delete;

    int Get();
    void Set(int mode);  // 0 user mode, 1 factory mode; other values are ignored

private:
    int mode_ = 0;
};

// Process-wide; constructed after the settings store so that it is destroyed, and written back, before it.
ControlMode& GetControlMode();
