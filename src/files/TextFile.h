// Whole text files in and out: CR LF line ends on every OS, saves that a crash or power cut cannot
// leave empty or half-written.
#pragma once

#include <string>
#include <vector>

class TextFile {
public:
    enum class SaveResult {
        Saved,
        CannotCreate,  // the folder would not take the temporary file: FolderRefusedText names the folder
        CannotWrite,  // the target is no ordinary file, or writing, syncing or renaming failed
    };

    // Writes every line followed by CR LF into a temporary file beside the target, syncs it, renames it
    // over the target and syncs the folder; the replaced file's permissions carry over. On a failure
    // before the rename the temporary file is removed and an existing target is left as it was.
    // A symbolic link is followed (the file it names is replaced); a target that exists but is not an
    // ordinary file (a folder, a device, a pipe) cannot be saved over.
    static SaveResult Save(const std::string& path, const std::vector<std::string>& lines);

    // The file's bytes; false when it cannot be opened or read, or is not an ordinary file.
    static bool Load(const std::string& path, std::string& content);

    // Whether a file (not a folder) of that path exists.
    static bool Exists(const std::string& path);

    // The folder part of a path (before its last separator, either kind), empty when there is none.
    static std::string FolderOf(const std::string& path);

    // The message of a save whose folder would not take a file: the folder in full, then
    // "\nCouldn't create a file in this folder".
    static std::string FolderRefusedText(const std::string& path);
};
