// Routes open requests to the installed host or the platform's opener.
#include "framework/ShellHost.h"

#include "platform/ShellOpen.h"

namespace {
ShellHost* g_shellHost = nullptr;
}

ShellHost* SetShellHost(ShellHost* host)
{
    ShellHost* previous = g_shellHost;
    g_shellHost = host;
    return previous;
}

ShellHost* GetShellHost() { return g_shellHost; }

void OpenWithShell(const std::string& target)
{
    if (g_shellHost) {
        g_shellHost->Open(target);
        return;
    }
    ShellOpen::Open(target);
}
