// The installed user-interface host.
#include "framework/UiHost.h"

namespace {
UiHost* g_uiHost = nullptr;
}

UiHost* SetUiHost(UiHost* host)
{
    UiHost* previous = g_uiHost;
    g_uiHost = host;
    return previous;
}

UiHost* GetUiHost() { return g_uiHost; }

WaitCursor::WaitCursor()
{
    if (g_uiHost) g_uiHost->ShowWaitCursor(true);
}

WaitCursor::~WaitCursor()
{
    if (g_uiHost) g_uiHost->ShowWaitCursor(false);
}

void PumpMessages(bool paintOnly)
{
    if (g_uiHost) g_uiHost->PumpMessages(paintOnly);
}
