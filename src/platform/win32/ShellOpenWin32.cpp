// The shell's "open" verb on Windows.
#include "platform/ShellOpen.h"

#include "platform/win32/Utf16.h"

#include <windows.h>

#include <shellapi.h>

std::string ShellOpen::OpenerArgument(const std::string& target) { return target; }

bool ShellOpen::Open(const std::string& target)
{
    const std::wstring wide = WidenUtf8(target);
    if (wide.empty()) return false;
    // No parameters and no folder: the shell resolves a bare file name against the working folder. The
    // name is the "file" argument as a whole; the shell does not split it at blanks or ';'.
    const HINSTANCE result = ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    // Values above 32 mean the shell accepted the request.
    return reinterpret_cast<INT_PTR>(result) > 32;
}
