// Folder search and the Camera Link library folder on POSIX systems.
#include "platform/FolderSearch.h"

#include <algorithm>
#include <cstdlib>

#include <dirent.h>
#include <sys/stat.h>

std::vector<std::string> FolderSearch::FindFiles(const std::string& folder, const std::string& pattern)
{
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return names;
    }
    while (const dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (!WildcardMatch(pattern, name, true)) {
            continue;
        }
        // stat follows symbolic links: a link to a library counts as the library, a link to a folder
        // does not.
        struct stat info {};
        if (stat(JoinPath(folder, name).c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
            continue;
        }
        names.push_back(std::move(name));
    }
    closedir(dir);
    // readdir's order depends on the file system's hashing; the operator's list must not change
    // between scans, so it is sorted.
    std::sort(names.begin(), names.end());
    return names;
}

std::string FolderSearch::CameraLinkFolder()
{
    const char* fromEnvironment = std::getenv("CLSERIALPATH");
    std::string folder = fromEnvironment != nullptr ? fromEnvironment : "";
    if (folder.empty()) {
        return "/usr/local/lib/cameralink";
    }
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}
