// Opening documents and web addresses with the desktop's own programs, behind one host that tests replace. The
// window's is PlatformShellHost (StandardHosts.h), on the platform's opener.
#pragma once

#include <string>

class ShellHost {
public:
    virtual ~ShellHost() = default;
    virtual void Open(const std::string& target) = 0;
};
