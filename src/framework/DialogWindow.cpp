// A dialog's window as the open-dialog list sees it: long operations disable and enable every open dialog.
#include "framework/DialogWindow.h"

#include "framework/OpenDialogList.h"

DialogWindow::~DialogWindow()
{
    if (list_) list_->Unregister(this);
}
