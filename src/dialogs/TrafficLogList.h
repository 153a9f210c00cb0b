// The traffic logs of the communication dialog and the terminal: a list with the newest line on top, kept
// to a maximum, saved as a text file, with the log dialogs' start folder in the settings.
#pragma once

#include <string>
#include <vector>

class MessageHost;
class QListWidget;
class RegistrySettings;

class TrafficLogList {
public:
    // Inserts the text at the top; beyond maxEntries the bottom (oldest) entry goes.
    static void Add(QListWidget* list, const std::string& text, int maxEntries);
    // The entries from the top (newest) down.
    static std::vector<std::string> Lines(const QListWidget* list);
    // Writes the lines with CR LF through a temporary file that replaces the target only when everything was
    // written. 1 on success; 0 after its message (the folder and "\nCouldn't create a file in this folder"
    // when the folder takes no file, the path and "\nCouldn't write this file" when writing fails).
    static int WriteFile(MessageHost& messages, const std::string& path, const std::vector<std::string>& lines);
    // Remembers the folder of a saved log as the start folder of the next log dialog.
    static void StoreFolder(RegistrySettings& settings, const std::string& path);
    // The start folder of the log dialogs.
    static std::string Folder(RegistrySettings& settings);
};
