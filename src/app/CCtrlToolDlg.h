// The main window: the parameter pages on tabs, the menu, the start-up that finds the camera, the key
// filter with the factory-mode code, and the confirmation before the tool ends.
#pragma once

#include "app/FactoryKeySequence.h"
#include "app/MainMenu.h"
#include "dialogs/LutEditors.h"
#include "dialogs/ProgressWindow.h"
#include "files/SettingFile.h"
#include "files/ShadingTransfer.h"
#include "framework/qt/CDialogBase.h"
#include "operations/FlashAreas.h"
#include "operations/LinkSession.h"
#include "operations/PageOperations.h"
#include "operations/ParameterHandlers.h"
#include "operations/PortWatch.h"
#include "pages/CParameterDispatcher.h"
#include "pages/PageBinding.h"

#include <QSize>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CCommunicationDialog;
class CTabSheetDialog;
class CTerminalDialog;
class QAction;
class QKeyEvent;
class QMenu;
class QMenuBar;
class QTabWidget;
struct ToolObjects;

class CCtrlToolDlg : public CDialogBase {
    Q_OBJECT

public:
    static constexpr int kStatusStripId = 1069;
    static constexpr int kTabControlId = 1089;

    // Menu 600: the command id of every item.
    enum MenuCommand : int {
        kCmdOpen = 30008,
        kCmdCompare = 30013,
        kCmdSaveAllData = 30011,
        kCmdSaveShippingData = 30012,
        kCmdExit = 2,
        kCmdReload = 30002,
        kCmdLoadSettings = 30004,
        kCmdStoreSettings = 30003,
        kCmdEditUserId = 30000,
        kCmdEditCameraId = 30005,
        kCmdOpenLutFile = 30006,
        kCmdSaveLutFile = 30007,
        kCmdLoadAllLut = 30009,
        kCmdAbout = 30001,
        kCmdOpenCommunication = 30010,
    };

    // The window works on the run's objects, which must outlive it.
    explicit CCtrlToolDlg(ToolObjects& objects, QWidget* parent = nullptr);
    ~CCtrlToolDlg() override;

    // The camera part of the start-up: open the link, find the camera (speed scan), move it to
    // 115200 bit/s and read it. Runs once, right after the window first shows; tests may run it
    // themselves after InitDialog.
    void StartUp();
    bool IsStartedUp() const { return startedUp_; }
    // Called once the start-up has finished.
    void SetStartUpFinishedHandler(std::function<void()> handler) { startUpFinished_ = std::move(handler); }

    // Shows one tab per page the control mode allows, selects the first and shows its page.
    void RebuildTabs();
    void ToggleFactoryMode();
    // "&Reload": the camera's working area, then everything read again.
    void Reload();
    // Every key on the window and its pages comes here first; true when the key was used up.
    bool KeyFilter(QWidget* target, QKeyEvent* event);

    // The next close does not ask (the camera is restarting and the tool must go).
    void SetCloseWithoutConfirm() { closeWithoutConfirm_ = 1; }
    int CurrentArea() const { return currentArea_; }

    // For the other windows and for tests.
    QTabWidget* TabControl() const { return tab_; }
    std::vector<std::string> TabCaptions() const;
    CTabSheetDialog* ShownPage() const;
    const std::vector<CTabSheetDialog*>& Pages() const { return pages_; }
    QAction* MenuAction(int commandId) const { return menu_ ? menu_->Action(commandId) : nullptr; }
    QMenu* UtilityMenu() const { return menu_ ? menu_->Utility() : nullptr; }
    QMenuBar* MenuBar() const { return menu_ ? menu_->Bar() : nullptr; }
    CCommunicationDialog* CommunicationDialog() const { return communicationDialog_; }
    CTerminalDialog* TerminalDialog() const { return terminal_; }
    ToolObjects& Objects() { return objects_; }
    ParameterHandlers& Handlers() { return handlers_; }
    // The page controls by id: what the operations and the tool's other windows read and show through.
    PageBinding& Binding() { return binding_; }
    PageOperations& Operations() { return operations_; }
    CParameterDispatcher& Dispatcher() { return dispatcher_; }
    LutEditors& LutEditorSet() { return lutEditors_; }
    SettingFile& SettingFiles() { return settingFile_; }
    ShadingTransfer& Shading() { return shading_; }
    FlashAreas& Flash() { return flashAreas_; }
    PortWatch& Watch() { return portWatch_; }

    // The size that shows the largest page whole (the window starts smaller on a small screen).
    QSize PreferredSize() const { return preferredSize_; }

public slots:
    // The close box and Alt+F4 (and "E&xit" through the menu's gate): an operation under way ends first,
    // then the tool asks.
    void reject() override;
    void accept() override;  // never ends the tool without asking either
    void done(int result) override;

protected:
    void OnInitDialog() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnCommand(int commandId);
    void RunIdentityDialog(int commandId);
    // File > "Compare with setting file...": the open dialog, then the comparison window.
    void CompareWithSettingFile();
    void ConnectFileOperations();
    int ChooseArea(bool load, int& area);
    void UpdateUtilityMenu();
    void PlacePages();
    void PlaceCommunicationDialog();
    void RunCommand(int commandId);
    void CameraRestarting();
    void ConfirmExit();
    void OnDestroy();

    std::vector<CTabSheetDialog*> pages_;
    std::vector<QWidget*> pageFrames_;  // the scroll area each page sits in on the tab control
    QTabWidget* tab_ = nullptr;
    std::unique_ptr<MainMenu> menu_;
    CCommunicationDialog* communicationDialog_ = nullptr;
    CTerminalDialog* terminal_ = nullptr;
    ToolObjects& objects_;
    PageBinding binding_;
    ParameterHandlers handlers_;
    ProgressWindow readProgress_;  // the read of all settings, over this window
    LutEditors lutEditors_;  // red, green, blue; created hidden at start-up
    CParameterDispatcher dispatcher_;
    PageOperations operations_;
    LinkSession session_;
    ShadingTable shadingBuffer_;  // kept between transfers for as long as the window lives
    SettingFile settingFile_;
    ShadingTransfer shading_;
    FlashAreas flashAreas_;
    PortWatch portWatch_;
    FactoryKeySequence keySequence_;
    QSize preferredSize_;
    int currentArea_ = 0;
    int closeWithoutConfirm_ = 0;
    bool startUpRan_ = false;
    bool startedUp_ = false;
    bool destroyed_ = false;
    bool cameraRestarting_ = false;  // after "Camera Reset": the camera does not listen any more
    bool exitWaiting_ = false;  // a close waits in the gate for the operation under way
    std::function<void()> startUpFinished_;
};
