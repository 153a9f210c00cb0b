// The factory-mode flag (control mode), kept in settings item 7 across runs.
#pragma once

class RegistrySettings;

class ControlMode {
public:
    explicit ControlMode(RegistrySettings& settings);  // reads item 7 (default 0); anything but 1 is user mode
    ~ControlMode();  // writes the current mode back to item 7
    ControlMode(const ControlMode&) = delete;
    ControlMode& operator=(const ControlMode&) = delete;

    int Get() const;
    bool IsFactory() const;  // factory mode: the factory page and the factory operations are open
    void Set(int mode);  // 0 user mode, 1 factory mode; other values are ignored

private:
    RegistrySettings& settings_;
    int mode_ = 0;
};
