#include "app/MainMenu.h"

#include "app/CCtrlToolDlg.h"

#include <QAction>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>

MainMenu::MainMenu(QWidget* window, CommandHandler onCommand) : onCommand_(std::move(onCommand))
{
    bar_ = new QMenuBar(window);
    window->layout()->setMenuBar(bar_);

    QMenu* file = bar_->addMenu(QStringLiteral("File(&F)"));
    AddItem(file, "&Open", CCtrlToolDlg::kCmdOpen);
    AddItem(file, "&Compare with setting file...", CCtrlToolDlg::kCmdCompare);
    QMenu* saveAs = file->addMenu(QStringLiteral("&Save as"));
    AddItem(saveAs, "All Data", CCtrlToolDlg::kCmdSaveAllData);
    AddItem(saveAs, "Shipping Data", CCtrlToolDlg::kCmdSaveShippingData);
    file->addSeparator();
    AddItem(file, "E&xit", CCtrlToolDlg::kCmdExit);

    QMenu* settings = bar_->addMenu(QStringLiteral("Settings(&S)"));
    AddItem(settings, "&Reload", CCtrlToolDlg::kCmdReload);
    AddItem(settings, "&Load settings", CCtrlToolDlg::kCmdLoadSettings);
    AddItem(settings, "&Store settings", CCtrlToolDlg::kCmdStoreSettings);

    utility_ = bar_->addMenu(QStringLiteral("Utility(&U)"));
    AddItem(utility_, "Edit user id", CCtrlToolDlg::kCmdEditUserId);
    AddItem(utility_, "Edit camera id", CCtrlToolDlg::kCmdEditCameraId);

    QMenu* lut = bar_->addMenu(QStringLiteral("LUT(&L)"));
    AddItem(lut, "&Open LUT file", CCtrlToolDlg::kCmdOpenLutFile);
    AddItem(lut, "&Save LUT file", CCtrlToolDlg::kCmdSaveLutFile);
    AddItem(lut, "&Load all LUT table", CCtrlToolDlg::kCmdLoadAllLut);

    QMenu* help = bar_->addMenu(QStringLiteral("Help(&H)"));
    AddItem(help, "&About this application", CCtrlToolDlg::kCmdAbout);
    AddItem(help, "&Open Communication Dialog", CCtrlToolDlg::kCmdOpenCommunication);
}

void MainMenu::AddItem(QMenu* menu, const char* text, int commandId)
{
    QAction* action = menu->addAction(QString::fromUtf8(text));
    action->setData(commandId);
    QObject::connect(action, &QAction::triggered, bar_, [this, commandId] { onCommand_(commandId); });
    actions_[commandId] = action;
}

QAction* MainMenu::Action(int commandId) const
{
    auto it = actions_.find(commandId);
    return it == actions_.end() ? nullptr : it->second;
}

void MainMenu::EnableUtility(bool factory)
{
    // Disabled on the menu itself: a menu only greyed through its action would come back when the
    // window is enabled again after a long operation.
    utility_->setEnabled(factory);
    utility_->menuAction()->setEnabled(factory);
    bar_->update();
}
