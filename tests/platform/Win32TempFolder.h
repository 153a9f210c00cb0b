// A fresh folder below the Windows temporary folder for one test, removed with its files afterwards.
#pragma once

#include <windows.h>

#include <string>

class Win32TempFolder {
public:
    Win32TempFolder()
    {
        char base[MAX_PATH + 1] = {};
        GetTempPathA(MAX_PATH, base);
        static int counter = 0;
        path_ =
            std::string(base) + "rv-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~Win32TempFolder() { RemoveTree(path_); }
    Win32TempFolder(const Win32TempFolder&) = delete;
    Win32TempFolder& operator=(const Win32TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

    // Creates an empty file (or a folder) with the given attributes.
    bool Make(const std::string& name, DWORD attributes = FILE_ATTRIBUTE_NORMAL) const
    {
        const std::string full = File(name);
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return CreateDirectoryA(full.c_str(), nullptr) != 0;
        HANDLE file = CreateFileA(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        CloseHandle(file);
        return true;
    }

private:
    static void RemoveTree(const std::string& folder)
    {
        WIN32_FIND_DATAA found{};
        HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = found.cFileName;
                if (name == "." || name == "..") continue;
                const std::string full = folder + "\\" + name;
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveTree(full);
                } else {
                    DeleteFileA(full.c_str());
                }
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(folder.c_str());
    }

    std::string path_;
};
