// Whole text files in and out: CR LF line ends on every OS, saves through a temporary file and a rename.
#pragma once

#include <string>
#include <vector>

class TextFile {
public:
    enum class SaveResult { Saved, CannotCreate, CannotWrite };

    // Writes every line followed by CR LF into a temporary file beside the target, then renames it over
    // the target. On any failure the temporary file is removed and an existing target is left as it was.
    // A symbolic link is followed (the file it names is replaced); a target that exists but is not an
    // ordinary file (a folder, a device, a pipe) cannot be saved over.
    static SaveResult Save(const std::string& path, const std::vector<std::string>& lines);

    // The file's bytes; false when it cannot be opened or read.
    static bool Load(const std::string& path, std::string& content);

    // Whether a file (not a folder) of that path exists.
    static bool Exists(const std::string& path);

    // The folder part of a path (before its last separator, either kind), empty when there is none.
    static std::string FolderOf(const std::string& path);
};
