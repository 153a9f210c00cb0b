// The dialogs to tell when the link goes online or offline, and the status bitmap they all show.
#include "framework/OnlineStatusRegistry.h"

#include "framework/COnlineStatusUpdater.h"
#include "framework/StatusStrip.h"

#include <algorithm>

OnlineStatusRegistry::~OnlineStatusRegistry()
{
    for (COnlineStatusUpdater* updater : updaters_) updater->registry_ = nullptr;
}

void OnlineStatusRegistry::Register(COnlineStatusUpdater* updater)
{
    if (updater == nullptr) {
        return;
    }
    // A dialog opened while the link is online turns green at once.
    if (updater->HasStatusStrip()) {
        updater->GetStatusStrip()->SetStatusBitmap(statusBitmap_);
    }
    if (!IsRegistered(updater)) {
        if (updater->registry_ && updater->registry_ != this) updater->registry_->Unregister(updater);
        updaters_.push_back(updater);
        updater->registry_ = this;
    }
}

void OnlineStatusRegistry::Unregister(COnlineStatusUpdater* updater)
{
    if (updater && updater->registry_ == this) updater->registry_ = nullptr;
    updaters_.erase(std::remove(updaters_.begin(), updaters_.end(), updater), updaters_.end());
}

void OnlineStatusRegistry::SetOnline() { ChangeStatus(kBitmapOnline, true); }

void OnlineStatusRegistry::SetOffline() { ChangeStatus(kBitmapOffline, false); }

int OnlineStatusRegistry::GetStatusBitmap() const { return statusBitmap_; }

bool OnlineStatusRegistry::IsRegistered(const COnlineStatusUpdater* updater) const
{
    return std::find(updaters_.begin(), updaters_.end(), updater) != updaters_.end();
}

void OnlineStatusRegistry::ChangeStatus(int bitmapId, bool online)
{
    statusBitmap_ = bitmapId;
    const std::uint64_t change = ++changeCount_;
    // All strips first, then the notifications, so a handler already sees every dialog in the new state.
    // Handlers may open or destroy dialogs, or send a command that changes the status again: work on a copy,
    // skip entries that left meanwhile, and stop once a newer change has already told everyone.
    const std::vector<COnlineStatusUpdater*> snapshot = updaters_;
    for (COnlineStatusUpdater* updater : snapshot) {
        if (IsRegistered(updater) && updater->HasStatusStrip()) {
            updater->GetStatusStrip()->SetStatusBitmap(bitmapId);
        }
    }
    for (COnlineStatusUpdater* updater : snapshot) {
        if (changeCount_ != change) {
            return;
        }
        if (IsRegistered(updater) && updater->HasStatusStrip()) {
            updater->OnOnlineStatusChanged(online);
        }
    }
}
