// The shell's "open" verb on Windows.
#include "platform/ShellOpen.h"

#include <windows.h>

#include <shellapi.h>

namespace {

std::wstring Widen(const std::string& utf8)
{
    if (utf8.empty()) return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
    return wide;
}

}  // namespace

std::string ShellOpen::OpenerArgument(const std::string& target) { return target; }

bool ShellOpen::Open(const std::string& target)
{
    const std::wstring wide = Widen(target);
    if (wide.empty()) return false;
    // No parameters and no folder: the shell resolves a bare file name against the working folder. The
    // name is the "file" argument as a whole; the shell does not split it at blanks or ';'.
    const HINSTANCE result = ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    // Values above 32 mean the shell accepted the request.
    return reinterpret_cast<INT_PTR>(result) > 32;
}
