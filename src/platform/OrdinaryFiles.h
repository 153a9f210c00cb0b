// The ordinary files of one folder: what a file list offers the operator to open.
#pragma once

#include <string>
#include <vector>

class OrdinaryFiles {
public:
    // The names (UTF-8, without folder) of the folder's ordinary files, sorted bytewise: no folders, and
    // no read-only, hidden or system files. Empty when the folder is missing or unreadable; an empty
    // folder name stands for the working folder.
    // POSIX: a regular file (a symbolic link counts as what it points to) with at least one write
    // permission bit, whose name does not begin with '.'. Windows: a file without the directory,
    // read-only, hidden, system or device attribute.
    static std::vector<std::string> List(const std::string& folder);
};
