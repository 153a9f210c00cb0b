// Opening documents and web addresses with the desktop's own programs, behind one host that tests replace.
#pragma once

#include <string>

class ShellHost {
public:
    virtual ~ShellHost() = default;
    virtual void Open(const std::string& target) = 0;
};

// Installs the host every open request goes to and returns the previous one. Without a host, requests go
// to the platform's opener (ShellOpen).
ShellHost* SetShellHost(ShellHost* host);
ShellHost* GetShellHost();

// Asks for target (a file name, resolved against the working folder, or an address) to be opened as one
// argument. Nothing is reported: whether a program can open it is for the desktop to say.
void OpenWithShell(const std::string& target);
