// Open and save file dialogs behind the host each caller is given, and the dialog pattern
// every file operation of the tool shares (start folder, default extension, overwrite question).
#pragma once

#include <string>
#include <vector>

class MessageHost;

enum class FileDialogMode { Open, Save };

// One entry of the dialog's type list, e.g. {"Camera setting file (*.cam)", "*.cam"}.
struct FileFilter {
    std::string description;
    std::string pattern;
};

struct FileDialogRequest {
    FileDialogMode mode = FileDialogMode::Open;
    std::string startFolder;  // from the settings store; empty: the current folder
    std::vector<FileFilter> filters;
    std::string defaultExtension;  // without the dot, e.g. "cam"; empty: none is added
    std::string title;  // empty: the host's own title for the mode
    // The name the dialog starts with: the start folder, a separator and the first filter's pattern.
    std::string initialName;
};

enum class FileDialogStatus { Ok, Cancel, Error };

struct FileDialogResult {
    FileDialogStatus status = FileDialogStatus::Cancel;
    std::string path;  // Ok: the chosen file
    int errorCode = 0;  // Error: the dialog's own return code
};

class FileDialogHost {
public:
    virtual ~FileDialogHost() = default;
    virtual FileDialogResult Show(const FileDialogRequest& request) = 0;
    // Whether the file exists; the recording host answers from its own list.
    virtual bool FileExists(const std::string& path) = 0;
};

// The shared pattern, on the given hosts. Gives 1 with the chosen path, 0 when the operator cancelled
// (silently), the dialog failed ("Error in Load Dialog! (Return-code = %d)", caption "Load Error") or a
// save was not to replace an existing file. A name typed without an extension gets the default extension.
// Saving over an existing file asks first; any answer but Yes ends the save.
int ChooseFile(FileDialogHost& dialogs, MessageHost& messages, FileDialogRequest request, std::string& path);
// The text of a file that cannot be opened: the path, then "\nCouldn't open this file".
std::string CannotOpenText(const std::string& path);
// That text in a box with an exclamation.
void ReportCannotOpen(MessageHost& messages, const std::string& path);

// The path with the default extension appended when its file name has none.
std::string WithDefaultExtension(const std::string& path, const std::string& extension);
