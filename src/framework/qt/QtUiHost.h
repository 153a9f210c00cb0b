// The wait cursor and the message pump of code below the GUI, done with Qt.
#pragma once

#include "framework/UiHost.h"

class QtUiHost : public UiHost {
public:
    // Installs itself for its lifetime and puts the previous host back afterwards.
    QtUiHost();
    ~QtUiHost() override;
    QtUiHost(const QtUiHost&) = delete;
    QtUiHost& operator=(const QtUiHost&) = delete;

    void ShowWaitCursor(bool show) override;
    void PumpMessages(bool paintOnly) override;

private:
    UiHost* previous_;
    int waitDepth_ = 0;
};
