// Base of every dialog that shows the link's online status: its status strip and the change notification.
#pragma once

class OnlineStatusRegistry;
class StatusStrip;

class COnlineStatusUpdater {
public:
    COnlineStatusUpdater() = default;
    // Leaves the online-status registry it is in, so a destroyed dialog is never notified again.
    virtual ~COnlineStatusUpdater();
    COnlineStatusUpdater(const COnlineStatusUpdater&) = delete;
    COnlineStatusUpdater& operator=(const COnlineStatusUpdater&) = delete;

    // Called after the strips of all dialogs show the new status. Does nothing by default.
    virtual void OnOnlineStatusChanged(bool online);

    // Bound at dialog initialisation, before the dialog registers; not owned.
    void BindStatusStrip(StatusStrip* strip);
    StatusStrip* GetStatusStrip() const;
    // True when the strip is bound and its window exists.
    bool HasStatusStrip() const;

private:
    friend class OnlineStatusRegistry;

    StatusStrip* statusStrip_ = nullptr;
    OnlineStatusRegistry* registry_ = nullptr;  // the registry it is in
};
