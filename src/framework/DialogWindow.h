// A dialog's window as the open-dialog list sees it: long operations disable and enable every open dialog.
#pragma once

class DialogWindow {
public:
    // Leaves the open-dialog list, so a destroyed dialog is never touched again.
    virtual ~DialogWindow();
    virtual bool WindowExists() const = 0;
    virtual void EnableDialogWindow(bool enable) = 0;
};
