// The window's objects, created once and wired together.
#include "app/ToolParts.h"

#include "app/ToolObjects.h"
#include "dialogs/CAboutDialog.h"
#include "dialogs/CCameraIdDialog.h"
#include "dialogs/CCommunicationDialog.h"
#include "dialogs/CCompareDialog.h"
#include "dialogs/CParameterAreaSelectDialog.h"
#include "dialogs/CTerminalDialog.h"
#include "dialogs/CUserIdDialog.h"
#include "framework/MessageBox.h"
#include "framework/OperatorHosts.h"
#include "tables/ControlIds.h"

#include <QScreen>
#include <QTimer>

#include <memory>

ToolParts::ToolParts(ToolObjects& runObjects, OperatorHosts& runHosts)
    : objects(runObjects),
      hosts(runHosts),
      handlers(objects.command, objects.table, binding, runHosts),
      dispatcher(objects.table, objects.command, binding, runHosts, &handlers),
      operations(handlers, objects.command, objects.table, objects.reader, objects.model, binding, runHosts),
      window(WindowParts()),
      menu(&window, MenuActions(), operations.Gate()),
      readProgress(objects.progress, &window),
      lutEditors(objects.command, objects.progress, runHosts),
      session(objects.link, objects.command, runHosts),
      settingFileIo(objects.command, objects.table, objects.mode, objects.model, SettingFileHooks{}, runHosts),
      settingFile(settingFileIo, objects.settings, runHosts.messages, runHosts.fileDialogs),
      shadingIo(objects.command, shadingBuffer, runHosts),
      shading(shadingIo, runHosts.messages, &runHosts.fileDialogs),
      flashAreas(
          objects.command, [this](bool load, int& area) { return ChooseArea(load, area); },
          [this] { objects.reader.Refresh(); }, runHosts),
      portWatch(objects.link, session, operations.Gate(), runHosts),
      lifecycle(objects.link, objects.command, objects.table, objects.mode, objects.reader, handlers, session,
                portWatch, operations.Gate(), runHosts, LifecycleViews()),
      communication(new CCommunicationDialog(objects.link, objects.command, objects.reader, objects.mode,
                                             objects.settings, objects.progress, runHosts, &window)),
      terminal(new CTerminalDialog(objects.link, objects.settings, runHosts, &window))
{
    session.SetSpeedShown([this](int index) { communication->SetBaudSelection(index); });
    portWatch.SetModelCheck([this] { objects.reader.ModelCheck(); });
    portWatch.SetReport([this](const std::string& text) {
        ShowMessage(hosts.messages, text, "Communication Error", MessageButtons::Ok, MessageIcon::Exclamation);
    });
    operations.Install();
    operations.SetProgress(&readProgress);
    operations.SetCameraResetHandler([this] { CameraRestarting(); });
    operations.SetLutEditorOpener(&lutEditors);
    handlers.SetButtonAction(ctl::kTerminalButton, [this] { terminal->Show(); });
    ConnectFileOperations();
    ConnectPages();
    // The table's defaults count as the camera's values until the first read.
    objects.table.CommitShadow();
}

ToolParts::~ToolParts()
{
    CameraReader& reader = objects.reader;
    reader.SetPages(nullptr);
    reader.SetMainWindow(nullptr);
    reader.SetLineRateDisplay(nullptr);
    reader.SetProgress(nullptr);
    reader.SetLutEditors(nullptr);
}

CCtrlToolDlg::Parts ToolParts::WindowParts()
{
    return {objects.table,
            objects.mode,
            binding,
            handlers,
            dispatcher,
            operations.Gate(),
            hosts,
            [this] { Initialise(); },
            [this] { lifecycle.ToggleFactoryMode(); },
            [this] { lifecycle.End(); }};
}

MainMenu::Actions ToolParts::MenuActions()
{
    const auto identity = [this](int commandId) { return [this, commandId] { RunIdentityDialog(commandId); }; };
    return {
        {MainMenu::kCmdExit, [this] { window.ConfirmExit(); }},
        {MainMenu::kCmdReload, [this] { lifecycle.Reload(); }},
        {MainMenu::kCmdOpenLutFile, [this] { lutEditors.OnOpenFile(); }},
        {MainMenu::kCmdSaveLutFile, [this] { lutEditors.OnSaveFile(&window); }},
        {MainMenu::kCmdLoadAllLut, [this] { lutEditors.OnLoadAll(&window); }},
        {MainMenu::kCmdOpen, [this] { settingFile.Load(); }},
        {MainMenu::kCmdCompare, [this] { CompareWithSettingFile(); }},
        {MainMenu::kCmdSaveAllData, [this] { settingFile.Save(SettingFileVariant::AllData); }},
        {MainMenu::kCmdSaveShippingData, [this] { settingFile.Save(SettingFileVariant::ShippingData); }},
        {MainMenu::kCmdLoadSettings, [this] { flashAreas.LoadSettings(); }},
        {MainMenu::kCmdStoreSettings, [this] { flashAreas.StoreSettings(); }},
        {MainMenu::kCmdOpenCommunication,
         [this] {
             communication->show();
             communication->raise();
             communication->activateWindow();
         }},
        {MainMenu::kCmdEditUserId, identity(MainMenu::kCmdEditUserId)},
        {MainMenu::kCmdEditCameraId, identity(MainMenu::kCmdEditCameraId)},
        {MainMenu::kCmdAbout, identity(MainMenu::kCmdAbout)},
    };
}

ToolLifecycle::Views ToolParts::LifecycleViews()
{
    ToolLifecycle::Views views;
    views.beforeStartUp = [this] { PlaceCommunicationDialog(); };
    views.modeShown = [this] { ShowMode(); };
    views.modeSent = [this] { communication->UpdateStoreButton(); };
    views.startedUp = [this] {
        if (started_) started_();
    };
    views.closing = [this] {
        terminal->hide();
        communication->hide();
        lutEditors.HideAll();
    };
    return views;
}

// What the reader shows a read on.
void ToolParts::ConnectPages()
{
    CameraReader& reader = objects.reader;
    reader.SetPages(&binding);
    reader.SetMainWindow(&window);
    reader.SetLineRateDisplay(&handlers);
    reader.SetProgress(&readProgress);
    reader.SetLutEditors(&lutEditors);
}

// The setting files, the flash areas and the shading buttons, with what they need of the pages.
void ToolParts::ConnectFileOperations()
{
    SettingFileHooks hooks;
    hooks.modelCheck = [this] { return objects.reader.ModelCheck(); };
    hooks.showValues = [this] { objects.reader.ShowAllValues(); };
    hooks.setUpModel = [this] {
        CameraReader& reader = objects.reader;
        reader.ModelSetup();
        reader.UpdateControlStates();
        handlers.ShowLineRate();
    };
    settingFileIo.SetHooks(std::move(hooks));
    settingFileIo.SetProgress(&readProgress);
    shadingIo.SetProgress(&readProgress);
    communication->SetSettingFileActions([this] { settingFile.Save(SettingFileVariant::AllData); },
                                         [this] { settingFile.Load(); });
    handlers.SetButtonAction(ctl::kStoreAllButton, [this] { flashAreas.StoreAll(); });
    handlers.SetButtonAction(ctl::kShadingReadButton, [this] { shading.ReadToFile(); });
    handlers.SetButtonAction(ctl::kShadingWriteButton, [this] { shading.WriteFromFile(); });
    handlers.SetButtonAction(ctl::kShadingStoreButton, [this] { shading.StoreInFlash(); });
}

// The window's first showing: the link opened, the other windows made, the pages placed and filled with
// the table's values, the mode's values sent; the camera is looked for once the window is on the screen,
// so the operator sees it while the speeds are tried.
void ToolParts::Initialise()
{
    lifecycle.OpenLink();
    communication->InitDialog();
    communication->show();
    lutEditors.Create(&window);
    window.PlacePages();
    binding.SetSpinRanges(objects.table);
    binding.InitComboItemData();
    objects.reader.ShowAllValues();
    ShowMode();
    lifecycle.SendModeValues();
    communication->SetBaudSelection(objects.link.BaudIndex());
    QTimer::singleShot(0, &window, [this] { lifecycle.StartUp(); });
}

void ToolParts::ShowMode()
{
    window.RebuildTabs();
    menu.EnableUtility(objects.mode.IsFactory());
}

void ToolParts::PlaceCommunicationDialog()
{
    // Beside the main window where the screen has room, so that neither hides the other.
    const QScreen* screen = window.screen();
    if (!window.isVisible() || !communication->isVisible() || !screen) return;
    const QRect available = screen->availableGeometry();
    const QRect main = window.frameGeometry();
    const QSize size = communication->frameGeometry().size();
    QPoint place(main.right() + 1, main.top());
    if (place.x() + size.width() > available.right()) place.setX(available.right() - size.width());
    if (place.y() + size.height() > available.bottom()) place.setY(available.bottom() - size.height());
    communication->move(place.x() < available.left() ? available.left() : place.x(),
                        place.y() < available.top() ? available.top() : place.y());
}

// The identity dialogs live only while shown: created here, run modally, gone when they close.
void ToolParts::RunIdentityDialog(int commandId)
{
    // The utility items belong to factory mode, however they were reached.
    if (commandId != MainMenu::kCmdAbout && !objects.mode.IsFactory()) return;
    std::unique_ptr<CDialogBase> dialog;
    if (commandId == MainMenu::kCmdEditUserId) {
        dialog = std::make_unique<CUserIdDialog>(&window, hosts, objects.command);
    } else if (commandId == MainMenu::kCmdEditCameraId) {
        dialog = std::make_unique<CCameraIdDialog>(&window, hosts, objects.command, objects.mode);
    } else {
        dialog = std::make_unique<CAboutDialog>(&window, hosts, objects.command, objects.reader, objects.model,
                                                objects.mode);
    }
    dialog->exec();
}

// File > "Compare with setting file...": the open dialog, then the comparison window.
void ToolParts::CompareWithSettingFile()
{
    std::string path;
    if (!settingFile.ChooseFileToOpen(path)) return;
    CCompareDialog dialog(&window, hosts, objects.command, objects.reader, objects.table, objects.model, objects.mode,
                          settingFile);
    dialog.InitDialog();
    if (dialog.Compare(path)) dialog.exec();
}

int ToolParts::ChooseArea(bool load, int& area)
{
    CParameterAreaSelectDialog dialog(&window, hosts, load ? 1 : 0, objects.mode.IsFactory());
    if (dialog.exec() != QDialog::Accepted) return 0;
    area = dialog.area;
    return 1;
}

// After "Camera Reset" the camera does not listen any more: the window goes without asking, and the end
// asks the camera nothing.
void ToolParts::CameraRestarting()
{
    lifecycle.CameraRestarting();
    window.SetCloseWithoutConfirm();
    window.ConfirmExit();
}
