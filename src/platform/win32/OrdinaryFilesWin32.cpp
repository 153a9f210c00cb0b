// Listing a folder's ordinary files on Windows, with wide names given back as UTF-8.
#include "platform/OrdinaryFiles.h"

#include "platform/FolderSearch.h"

#include "platform/win32/Utf16.h"

#include <windows.h>

#include <algorithm>

namespace {

std::string Narrow(const wchar_t* wide)
{
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) return {};
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), length, nullptr, nullptr);
    utf8.resize(static_cast<std::size_t>(length - 1));
    return utf8;
}

}  // namespace

std::vector<std::string> OrdinaryFiles::List(const std::string& folder)
{
    std::vector<std::string> names;
    const std::wstring pattern = WidenUtf8(FolderSearch::JoinPath(folder.empty() ? "." : folder, "*"));
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    constexpr DWORD kNotOrdinary = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                   FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE;
    do {
        if ((found.dwFileAttributes & kNotOrdinary) == 0) {
            std::string name = Narrow(found.cFileName);
            if (!name.empty()) names.push_back(std::move(name));
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}
