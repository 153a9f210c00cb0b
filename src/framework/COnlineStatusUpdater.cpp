// Base of every dialog that shows the link's online status: its status strip and the change notification.
#include "framework/COnlineStatusUpdater.h"

#include "framework/OnlineStatusRegistry.h"
#include "framework/StatusStrip.h"

COnlineStatusUpdater::~COnlineStatusUpdater()
{
    if (registry_) registry_->Unregister(this);
}

void COnlineStatusUpdater::OnOnlineStatusChanged(bool /*online*/) {}

void COnlineStatusUpdater::BindStatusStrip(StatusStrip* strip) { statusStrip_ = strip; }

StatusStrip* COnlineStatusUpdater::GetStatusStrip() const { return statusStrip_; }

bool COnlineStatusUpdater::HasStatusStrip() const { return statusStrip_ != nullptr && statusStrip_->Exists(); }
