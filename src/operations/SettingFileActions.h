// What the operator sees of camera setting files: the open and save dialogs (the folder of settings item 8,
// "*.cam"), the box of a file that cannot be opened or written, and the summary of what a load did not
// apply. The reading, writing and sending are SettingFile's; this turns their outcomes into boxes.
#pragma once

#include "files/SettingFile.h"

#include <set>
#include <string>

class FileDialogHost;
class MessageHost;
class RegistrySettings;

class SettingFileActions {
public:
    SettingFileActions(SettingFile& file, RegistrySettings& settings, MessageHost& messages,
                       FileDialogHost& fileDialogs);

    // The save dialog, the file, the folder remembered.
    void Save(SettingFileVariant variant);
    // The open dialog, the load, the folder remembered.
    void Load();
    // The open dialog alone (same folder and filter): 1 with the chosen path, the folder remembered.
    int ChooseFileToOpen(std::string& path);

    // 1 written; 0 after its message when the file could not be created or written.
    int WriteSettingFile(const std::string& path, SettingFileVariant variant);
    // 1 read (whatever the camera took; the summary says what not); 0 after its message when the file
    // could not be opened.
    int ReadSettingFile(const std::string& path);
    // Only the file's lines of these mnemonics, each accepted value read back; as ReadSettingFile. No
    // mnemonic sends nothing and says nothing.
    int ApplyOnly(const std::string& path, std::set<std::string> mnemonics);

    const SettingFileLoadReport& LastReport() const { return file_.LastReport(); }
    SettingFile& File() { return file_; }

    // The boxes alone, for a caller that names its files itself (the command-line companion).
    // True when the file was saved; else its box ("File Open Error" or "File Write Error").
    static bool ShowWrite(MessageHost& messages, const std::string& path, TextFile::SaveResult saved);
    // True when the file was read, after the summary of what was not applied (if anything); else the
    // box of a file that cannot be opened.
    static bool ShowRead(MessageHost& messages, const std::string& path, SettingFileRead read,
                         const SettingFileLoadReport& report);

private:
    SettingFile& file_;
    RegistrySettings& settings_;
    MessageHost& messages_;
    FileDialogHost& fileDialogs_;
};
