// The dialog base with its status strip.
#include "framework/qt/CDialogBase.h"

#include "framework/OnlineStatusRegistry.h"
#include "framework/OpenDialogList.h"
#include "framework/qt/CStatusStrip.h"
#include "framework/qt/ControlWindow.h"

#include <QVBoxLayout>

CDialogBase::CDialogBase(QWidget* parent, int stripId, OperatorHosts hosts)
    : QDialog(parent), hosts_(hosts), body_(new QWidget(this)), strip_(new CStatusStrip(this))
{
    SetControlId(strip_, stripId);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(body_, 1);
    layout->addWidget(strip_);
}

CDialogBase::~CDialogBase()
{
    // Leave both lists while the strip still exists; the bases would do it too, but later.
    hosts_.onlineStatus.Unregister(this);
    hosts_.openDialogs.Unregister(this);
}

void CDialogBase::InitDialog()
{
    if (initialized_) return;
    initialized_ = true;
    OnInitDialog();
    BindStatusStrip(strip_);
    hosts_.onlineStatus.Register(this);
    hosts_.openDialogs.Register(this);
}

void CDialogBase::showEvent(QShowEvent* event)
{
    InitDialog();
    QDialog::showEvent(event);
}
