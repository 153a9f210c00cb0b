// The base of the tool's dialogs: a body for the dialog's own controls above the online-status strip,
// and membership in the online-status registry and the open-dialog list from initialisation to
// destruction.
#pragma once

#include "framework/COnlineStatusUpdater.h"
#include "framework/DialogWindow.h"
#include "framework/OperatorHosts.h"

#include <QDialog>

class CStatusStrip;

class CDialogBase : public QDialog, public COnlineStatusUpdater, public DialogWindow {
    Q_OBJECT

public:
    // `stripId` is the control id of the dialog's status strip; the dialog joins the hosts' registry and
    // dialog list, and shows and asks through their hosts.
    CDialogBase(QWidget* parent, int stripId, OperatorHosts hosts);
    ~CDialogBase() override;

    // The dialog's initialisation, run once before the dialog is first shown (or earlier, by an owner
    // that creates the window without showing it): OnInitDialog, then the strip is bound and the
    // dialog joins the online-status registry and the open-dialog list.
    void InitDialog();
    bool IsInitialized() const { return initialized_; }

    const OperatorHosts& Hosts() const { return hosts_; }
    // The widget the dialog lays out its own controls in.
    QWidget* Body() const { return body_; }
    CStatusStrip* Strip() const { return strip_; }

    bool WindowExists() const override { return initialized_; }
    void EnableDialogWindow(bool enable) override { setEnabled(enable); }

protected:
    virtual void OnInitDialog() {}
    void showEvent(QShowEvent* event) override;

private:
    OperatorHosts hosts_;
    QWidget* body_;
    CStatusStrip* strip_;
    bool initialized_ = false;
};
