// The open dialogs, so that a long operation can disable all of them and enable them again afterwards.
#include "framework/OpenDialogList.h"

#include "framework/DialogWindow.h"

#include <algorithm>

OpenDialogList::~OpenDialogList()
{
    for (DialogWindow* dialog : dialogs_) dialog->list_ = nullptr;
}

void OpenDialogList::Register(DialogWindow* dialog)
{
    if (dialog != nullptr && !IsRegistered(dialog)) {
        if (dialog->list_ && dialog->list_ != this) dialog->list_->Unregister(dialog);
        dialogs_.push_back(dialog);
        dialog->list_ = this;
    }
}

void OpenDialogList::Unregister(DialogWindow* dialog)
{
    if (dialog && dialog->list_ == this) dialog->list_ = nullptr;
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
