// The open dialogs, so that a long operation can disable all of them and enable them again afterwards.
#include "framework/OpenDialogList.h"

#include "framework/DialogWindow.h"

#include <algorithm>

void OpenDialogList::Register(DialogWindow* dialog)
{
    if (dialog != nullptr && !IsRegistered(dialog)) {
        dialogs_.push_back(dialog);
    }
}

void OpenDialogList::Unregister(DialogWindow* dialog)
{
    dialogs_.erase(std::remove(dialogs_.begin(), dialogs_.end(), dialog), dialogs_.end());
}

void OpenDialogList::DisableAll() { EnableEach(false); }

void OpenDialogList::EnableAll() { EnableEach(true); }

bool OpenDialogList::IsRegistered(const DialogWindow* dialog) const
{
    return std::find(dialogs_.begin(), dialogs_.end(), dialog) != dialogs_.end();
}

void OpenDialogList::EnableEach(bool enable)
{
    // Enabling a window can run its handlers, which may close a dialog: walk a copy.
    const std::vector<DialogWindow*> snapshot = dialogs_;
    for (DialogWindow* dialog : snapshot) {
        if (IsRegistered(dialog) && dialog->WindowExists()) {
            dialog->EnableDialogWindow(enable);
        }
    }
}

OpenDialogList& GetOpenDialogList()
{
    static OpenDialogList* list = new OpenDialogList;
    return *list;
}
