// The hosts of a run without windows.
#include "framework/StandardHosts.h"

#include "platform/ShellOpen.h"

#include <cstdio>

MessageResult DefaultAnswerMessageHost::Show(const MessageRequest& request)
{
    const std::string_view caption = request.caption.empty() ? kToolCaption : std::string_view(request.caption);
    std::fprintf(stderr, "[%.*s] %s\n", static_cast<int>(caption.size()), caption.data(), request.text.c_str());
    return DefaultAnswer(request);
}

FileDialogResult CancelFileDialogHost::Show(const FileDialogRequest&) { return {}; }

bool CancelFileDialogHost::FileExists(const std::string&) { return false; }

void PlatformShellHost::Open(const std::string& target) { ShellOpen::Open(target); }
