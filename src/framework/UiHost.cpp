// The wait cursor on a host.
#include "framework/UiHost.h"

WaitCursor::WaitCursor(UiHost& host) : host_(host) { host_.ShowWaitCursor(true); }

WaitCursor::~WaitCursor() { host_.ShowWaitCursor(false); }
