// Folder search and the Camera Link library folder on Windows.
#include "platform/FolderSearch.h"

#include <windows.h>

#include <algorithm>

namespace {

// Reads a text value of HKEY_LOCAL_MACHINE; empty when the key or value is missing or not text.
std::string ReadMachineText(const char* keyName, const char* valueName)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyName, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return {};
    }
    std::string result;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, valueName, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ) && size > 0) {
        std::string buffer(size + 1, '\0');
        DWORD got = size;
        if (RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got) ==
            ERROR_SUCCESS) {
            // The stored text may or may not carry its terminating zero.
            buffer.resize(std::min<std::size_t>(got, buffer.size()));
            result = buffer.c_str();
            if (type == REG_EXPAND_SZ && !result.empty()) {
                DWORD needed = ExpandEnvironmentStringsA(result.c_str(), nullptr, 0);
                if (needed > 0) {
                    std::string expanded(needed, '\0');
                    if (ExpandEnvironmentStringsA(result.c_str(), expanded.data(), needed) > 0) {
                        result = expanded.c_str();
                    }
                }
            }
        }
    }
    RegCloseKey(key);
    return result;
}

}  // namespace

std::vector<std::string> FolderSearch::FindFiles(const std::string& folder, const std::string& pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA(JoinPath(folder, pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        // The system also matches the short 8.3 name ("*.dll" finds "x.dllx"); the long name decides.
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
            WildcardMatch(pattern, found.cFileName, false)) {
            names.emplace_back(found.cFileName);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::string FolderSearch::CameraLinkFolder()
{
    std::string folder = ReadMachineText("SOFTWARE\\CameraLink", "CLSERIALPATH");
    while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')) {
        folder.pop_back();
    }
    if (!folder.empty()) {
        return folder;
    }
    char system[MAX_PATH + 1] = {};
    UINT length = GetSystemDirectoryA(system, MAX_PATH);
    if (length == 0 || length > MAX_PATH) {
        return "C:\\Windows\\System32";
    }
    return std::string(system, length);
}
