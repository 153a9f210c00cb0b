// The open dialogs, so that a long operation can disable all of them and enable them again afterwards.
#pragma once

#include <vector>

class DialogWindow;

// User-interface thread only.
class OpenDialogList {
public:
    OpenDialogList() = default;
    // Dialogs still in the list forget it, so that one outliving it leaves nothing behind.
    ~OpenDialogList();
    OpenDialogList(const OpenDialogList&) = delete;
    OpenDialogList& operator=(const OpenDialogList&) = delete;

    void Register(DialogWindow* dialog);  // appends once
    void Unregister(DialogWindow* dialog);
    void DisableAll();
    void EnableAll();

    bool IsRegistered(const DialogWindow* dialog) const;

private:
    void EnableEach(bool enable);

    std::vector<DialogWindow*> dialogs_;  // registration order; not owned
};
