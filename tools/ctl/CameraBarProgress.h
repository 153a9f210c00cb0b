// One camera's progress as its bar among the others' (several cameras on a terminal).
#pragma once

#include "framework/ProgressSink.h"

#include <string>

class CtlConsole;

class CameraBarProgress : public ProgressSink {
public:
    // label: the camera's port, padded so that the bars line up.
    CameraBarProgress(CtlConsole& console, int row, std::string label)
        : console_(console), row_(row), label_(std::move(label))
    {
    }

    void Open(const std::string& message) override;
    void SetMessage(const std::string& text) override;
    void SetPosition(int percent) override;
    void Close() override;

private:
    CtlConsole& console_;
    int row_;
    std::string label_;
    std::string message_;
    int percent_ = 0;
};
