// The wait cursor and the message pump of code below the GUI, done with Qt.
#pragma once

#include "framework/UiHost.h"

class QtUiHost : public UiHost {
public:
    QtUiHost() = default;
    ~QtUiHost() override;
    QtUiHost(const QtUiHost&) = delete;
    QtUiHost& operator=(const QtUiHost&) = delete;

    void ShowWaitCursor(bool show) override;
    void PumpMessages(bool paintOnly) override;

private:
    int waitDepth_ = 0;
};
