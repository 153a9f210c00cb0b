// The dialogs to tell when the link goes online or offline, and the status bitmap they all show.
#include "framework/OnlineStatusRegistry.h"

#include "framework/COnlineStatusUpdater.h"
#include "framework/StatusStrip.h"

#include <algorithm>

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
        updaters_.push_back(updater);
    }
}

void OnlineStatusRegistry::Unregister(COnlineStatusUpdater* updater)
{
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

OnlineStatusRegistry& GetOnlineStatusRegistry()
{
    static OnlineStatusRegistry* registry = new OnlineStatusRegistry;
    return *registry;
}
