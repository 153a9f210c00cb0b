// Finding files in one folder by a wildcard pattern, and the folder the Camera Link libraries live in.
#pragma once

#include <string>
#include <vector>

class FolderSearch {
public:
    // The names (without folder) of the files in folder that match pattern ('*' any run, '?' one
    // character), in the order the system's search gives them; folders are left out. Empty when the
    // folder is missing or unreadable. POSIX gives the names sorted bytewise (the directory's own order
    // is arbitrary); Windows gives the file system's order and matches without regard to case.
    static std::vector<std::string> FindFiles(const std::string& folder, const std::string& pattern);

    // folder + the native separator + name (no doubled separator when folder already ends in one).
    static std::string JoinPath(const std::string& folder, const std::string& name);

    // The "system folder" of the Camera Link serial libraries. POSIX: $CLSERIALPATH when set and not
    // empty, else /usr/local/lib/cameralink. Windows: the value CLSERIALPATH under
    // HKEY_LOCAL_MACHINE\SOFTWARE\CameraLink when present, else the Windows system folder.
    static std::string CameraLinkFolder();

    // The wildcard rule FindFiles applies, exposed for the Windows search (whose own matching also
    // accepts short 8.3 names) and for tests.
    static bool WildcardMatch(const std::string& pattern, const std::string& name, bool caseSensitive);
};
