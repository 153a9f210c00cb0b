// What code below the GUI asks of the user interface while it waits: the wait cursor, and letting
// pending window messages run.
#pragma once

class UiHost {
public:
    virtual ~UiHost() = default;
    virtual void ShowWaitCursor(bool show) = 0;
    // Lets pending window messages run. With paintOnly, windows repaint but take no user input
    // (long waits on the link keep the windows painted without reacting to clicks).
    virtual void PumpMessages(bool paintOnly) = 0;
};

// Shows the wait cursor for the lifetime of the object.
class WaitCursor {
public:
    explicit WaitCursor(UiHost& host);
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    UiHost& host_;
};

