// The process-wide message and file-dialog hosts behind the host interfaces: what an object that takes its
// hosts by constructor is given while its owner still reaches the operator through the installed hosts.
#pragma once

#include "framework/FileDialogHost.h"
#include "framework/MessageBox.h"

// Shows where the process-wide ShowMessage does (the thread's host, else the installed one).
class RoutedMessageHost : public MessageHost {
public:
    MessageResult Show(const MessageRequest& r) override
    {
        return ShowMessage(r.text, r.caption, r.buttons, r.icon, r.defaultButton);
    }
};

// Opens the installed host's dialogs; without a host every dialog ends as Cancel.
class RoutedFileDialogHost : public FileDialogHost {
public:
    FileDialogResult Show(const FileDialogRequest& request) override
    {
        FileDialogHost* host = GetFileDialogHost();
        return host ? host->Show(request) : FileDialogResult{};
    }
    bool FileExists(const std::string& path) override
    {
        FileDialogHost* host = GetFileDialogHost();
        return host && host->FileExists(path);
    }
};
