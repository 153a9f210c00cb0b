// Run-time library loading through the Windows loader.
#include "platform/DynamicLibrary.h"

#include <windows.h>

namespace {

std::string WindowsErrorText(DWORD code)
{
    char* text = nullptr;
    DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = length != 0 && text != nullptr ? std::string(text, length) : "error " + std::to_string(code);
    if (text != nullptr) {
        LocalFree(text);
    }
    while (!result.empty() && (result.back() == '\r' || result.back() == '\n')) {
        result.pop_back();
    }
    return result;
}

}  // namespace

DynamicLibrary::~DynamicLibrary() { Unload(); }

int DynamicLibrary::Load(const std::string& fullPath)
{
    Unload();
    lastError_.clear();
    if (fullPath.find('\\') == std::string::npos && fullPath.find('/') == std::string::npos) {
        lastError_ = fullPath + ": not a full path";
        return 0;
    }
    // LOAD_WITH_ALTERED_SEARCH_PATH resolves the library's own dependencies from its folder, as a
    // maker's library installed outside the system folder expects; it needs an absolute path.
    char absolute[MAX_PATH + 1] = {};
    DWORD length = GetFullPathNameA(fullPath.c_str(), MAX_PATH, absolute, nullptr);
    std::string path = length > 0 && length <= MAX_PATH ? std::string(absolute, length) : fullPath;
    // No error box for a missing file or a broken library.
    UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    DWORD error = GetLastError();
    SetErrorMode(previousMode);
    if (module == nullptr) {
        lastError_ = fullPath + ": " + WindowsErrorText(error);
        return 0;
    }
    handle_ = module;
    return 1;
}

DynamicLibrary::Function DynamicLibrary::Symbol(const char* name) const
{
    if (handle_ == nullptr || name == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Function>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

void DynamicLibrary::Unload()
{
    if (handle_ != nullptr) {
        FreeLibrary(static_cast<HMODULE>(handle_));
        handle_ = nullptr;
    }
}
