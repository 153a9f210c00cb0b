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

WaitCursor::WaitCursor() : host_(g_uiHost)
{
    if (host_) host_->ShowWaitCursor(true);
}

WaitCursor::WaitCursor(UiHost& host) : host_(&host) { host_->ShowWaitCursor(true); }

WaitCursor::~WaitCursor()
{
    if (host_) host_->ShowWaitCursor(false);
}

void PumpMessages(bool paintOnly)
{
    if (g_uiHost) g_uiHost->PumpMessages(paintOnly);
}
