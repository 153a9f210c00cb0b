// The dialogs to tell when the link goes online or offline, and the status bitmap they all show.
#pragma once

#include <cstdint>
#include <vector>

class COnlineStatusUpdater;

inline constexpr int kBitmapOffline = 302;  // red
inline constexpr int kBitmapOnline = 303;  // green

// User-interface thread only. The status is deliberately not kept as a flag: every call repaints and notifies,
// because the protocol reports "online" after every answer and a dialog may have missed nothing but a repaint.
class OnlineStatusRegistry {
public:
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
    int statusBitmap_ = kBitmapOffline;
    std::uint64_t changeCount_ = 0;
};

// Process-wide; created on first use and never destroyed, so dialogs that outlive static destruction can still
// leave it safely.
OnlineStatusRegistry& GetOnlineStatusRegistry();
