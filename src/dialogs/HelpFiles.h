// The help documents the about dialog offers: the PDF files lying in the tool's working folder.
#pragma once

#include <string>
#include <vector>

class HelpFiles {
public:
    // The names of the folder's ordinary files (no folders, no read-only, hidden or system files) that
    // match "*.pdf" in any letter case, sorted as the operator reads a list: without regard to case, then
    // bytewise. An empty folder name stands for the working folder.
    static std::vector<std::string> InFolder(const std::string& folder);
};
