// The factory-mode flag (control mode), kept in settings item 7 across runs.
#include "settings/ControlMode.h"

#include "settings/RegistrySettings.h"

namespace {

constexpr int kUserMode = 0;
constexpr int kFactoryMode = 1;

}  // namespace

ControlMode::ControlMode(RegistrySettings& settings) : settings_(settings)
{
    // Anything but an explicit 1 is user mode: a damaged setting must not open the factory functions.
    int stored = kUserMode;
    settings_.GetValue(kItemControlMode, stored, kUserMode);
    mode_ = stored == kFactoryMode ? kFactoryMode : kUserMode;
}

ControlMode::~ControlMode() { settings_.SetValue(kItemControlMode, mode_); }

int ControlMode::Get() const { return mode_; }

bool ControlMode::IsFactory() const { return mode_ == kFactoryMode; }

void ControlMode::Set(int mode)
{
    if (mode == kUserMode || mode == kFactoryMode) {
        mode_ = mode;
    }
}
