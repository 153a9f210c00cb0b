// The open dialogs, so that a long operation can disable all of them and enable them again afterwards.
#pragma once

#include <vector>

class DialogWindow;

// User-interface thread only.
class OpenDialogList {
public:
    void Register(DialogWindow* dialog);  // appends once
    void Unregister(DialogWindow* dialog);
    void DisableAll();
    void EnableAll();

    bool IsRegistered(const DialogWindow* dialog) const;

private:
    void EnableEach(bool enable);

    std::vector<DialogWindow*> dialogs_;  // registration order; not owned
};

// Process-wide; created on first use and never destroyed (see GetOnlineStatusRegistry).
OpenDialogList& GetOpenDialogList();
