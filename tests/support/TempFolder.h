// Test helper: a new empty folder for one test, unique between processes, removed with everything in it at
// the end.
#pragma once

#include <filesystem>
#include <string>

class TempFolder {
public:
    // <temporary folder>/<stem>-XXXXXX; Ok() is false when it cannot be made.
    explicit TempFolder(const std::string& stem = "rv-test");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    bool Ok() const { return !path_.empty(); }
    const std::filesystem::path& Path() const { return path_; }
    // The path of a file in the folder.
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};
