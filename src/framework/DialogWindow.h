// A dialog's window as the open-dialog list sees it: long operations disable and enable every open dialog.
#pragma once

class OpenDialogList;

class DialogWindow {
public:
    DialogWindow() = default;
    // Leaves the open-dialog list it is in, so a destroyed dialog is never touched again.
    virtual ~DialogWindow();
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;
    virtual bool WindowExists() const = 0;
    virtual void EnableDialogWindow(bool enable) = 0;

private:
    friend class OpenDialogList;

    OpenDialogList* list_ = nullptr;  // the list it is in
};
