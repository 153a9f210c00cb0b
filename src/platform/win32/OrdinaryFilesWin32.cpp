// Listing a folder's ordinary files on Windows, with wide names given back as UTF-8.
#include "platform/OrdinaryFiles.h"

#include "platform/FolderSearch.h"

#include <windows.h>

#include <algorithm>

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
    const std::wstring pattern = Widen(FolderSearch::JoinPath(folder.empty() ? "." : folder, "*"));
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
