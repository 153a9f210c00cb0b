// Keeps every dialog of the open-dialog list disabled for a scope, however the scope ends: a long operation
// holds one so that no operator input runs half-way through it.
#pragma once

#include "framework/OpenDialogList.h"

class DialogsDisabled {
public:
    explicit DialogsDisabled(OpenDialogList& list) : list_(list) { list_.DisableAll(); }
    ~DialogsDisabled() { list_.EnableAll(); }
    DialogsDisabled(const DialogsDisabled&) = delete;
    DialogsDisabled& operator=(const DialogsDisabled&) = delete;

private:
    OpenDialogList& list_;
};
