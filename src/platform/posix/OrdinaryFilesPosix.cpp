// Listing a folder's ordinary files on POSIX systems.
#include "platform/OrdinaryFiles.h"

#include "platform/FolderSearch.h"

#include <algorithm>

#include <dirent.h>
#include <sys/stat.h>

std::vector<std::string> OrdinaryFiles::List(const std::string& folder)
{
    std::vector<std::string> names;
    const std::string where = folder.empty() ? "." : folder;
    DIR* dir = opendir(where.c_str());
    if (dir == nullptr) return names;
    while (const dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        // A leading dot is this system's hidden mark (and covers "." and "..").
        if (name.empty() || name.front() == '.') continue;
        struct stat info {};
        if (stat(FolderSearch::JoinPath(where, name).c_str(), &info) != 0) continue;
        // Devices, pipes and sockets play the part of system files; no write bit at all is read-only.
        if (!S_ISREG(info.st_mode)) continue;
        if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) continue;
        names.push_back(std::move(name));
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}
