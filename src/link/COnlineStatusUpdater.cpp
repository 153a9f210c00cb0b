// Base of every dialog that shows the link's online status: its status strip and the change notification.
#include "link/COnlineStatusUpdater.h"

#include "link/OnlineStatusRegistry.h"
#include "link/StatusStrip.h"

COnlineStatusUpdater::~COnlineStatusUpdater()
{
    GetOnlineStatusRegistry().Unregister(this);
}

void COnlineStatusUpdater::OnOnlineStatusChanged(bool /*online*/)
{
}

void COnlineStatusUpdater::BindStatusStrip(StatusStrip* strip)
{
    statusStrip_ = strip;
}

StatusStrip* COnlineStatusUpdater::GetStatusStrip() const
{
    return statusStrip_;
}

bool COnlineStatusUpdater::HasStatusStrip() const
{
    return statusStrip_ != nullptr && statusStrip_->Exists();
}
