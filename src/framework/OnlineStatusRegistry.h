// The dialogs to tell when the link goes online or offline, and the status bitmap they all show.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

class COnlineStatusUpdater;

inline constexpr int kBitmapOffline = 302;  // red
inline constexpr int kBitmapOnline = 303;  // green

// User-interface thread only, for registering and for the dialogs' notifications. The status is deliberately
// not kept as a flag: every call repaints and notifies, because the protocol reports "online" after every
// answer and a dialog may have missed nothing but a repaint. The command-line companion has no dialogs but
// runs several links on threads of their own, each reporting here: the bitmap and the change count are
// atomic so that those reports are safe.
class OnlineStatusRegistry {
public:
    OnlineStatusRegistry() = default;
    // Updaters still registered forget the registry, so that one outliving it leaves nothing behind.
    ~OnlineStatusRegistry();
    OnlineStatusRegistry(const OnlineStatusRegistry&) = delete;
    OnlineStatusRegistry& operator=(const OnlineStatusRegistry&) = delete;

    // Shows the current bitmap on the updater's strip, then appends it (once; registering again only repaints).
    void Register(COnlineStatusUpdater* updater);
    void Unregister(COnlineStatusUpdater* updater);
    void SetOnline();
    void SetOffline();

    int GetStatusBitmap() const;
    bool IsRegistered(const COnlineStatusUpdater* updater) const;

private:
    void ChangeStatus(int bitmapId, bool online);

    std::vector<COnlineStatusUpdater*> updaters_;  // registration order; not owned
    std::atomic<int> statusBitmap_{kBitmapOffline};
    std::atomic<std::uint64_t> changeCount_{0};
};
