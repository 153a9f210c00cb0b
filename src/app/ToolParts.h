// The composition root of the window: every object the main window, its pages, menus and other windows
// work through, created once, in the order they need each other, and wired here and nowhere else.
#pragma once

#include "app/CCtrlToolDlg.h"
#include "app/MainMenu.h"
#include "dialogs/LutEditors.h"
#include "dialogs/ProgressWindow.h"
#include "files/SettingFile.h"
#include "files/ShadingTransfer.h"
#include "operations/FlashAreas.h"
#include "operations/LinkSession.h"
#include "operations/PageOperations.h"
#include "operations/ParameterHandlers.h"
#include "operations/PortWatch.h"
#include "operations/SettingFileActions.h"
#include "operations/ShadingActions.h"
#include "operations/ToolLifecycle.h"
#include "pages/CParameterDispatcher.h"
#include "pages/PageBinding.h"

#include <functional>

class CCommunicationDialog;
class CTerminalDialog;
struct OperatorHosts;
struct ToolObjects;

struct ToolParts {
    ToolParts(ToolObjects& objects, OperatorHosts& hosts);
    ~ToolParts();
    ToolParts(const ToolParts&) = delete;
    ToolParts& operator=(const ToolParts&) = delete;

    ToolObjects& objects;
    OperatorHosts& hosts;
    PageBinding binding;
    ParameterHandlers handlers;
    CParameterDispatcher dispatcher;
    PageOperations operations;
    CCtrlToolDlg window;
    MainMenu menu;
    ProgressWindow readProgress;  // the read of all settings, over the window
    LutEditors lutEditors;  // red, green, blue; created hidden at start-up
    LinkSession session;
    ShadingTable shadingBuffer;  // kept between transfers for as long as the window lives
    SettingFile settingFileIo;
    SettingFileActions settingFile;
    ShadingTransfer shadingIo;
    ShadingActions shading;
    FlashAreas flashAreas;
    PortWatch portWatch;
    ToolLifecycle lifecycle;
    CCommunicationDialog* communication;  // owned by the window
    CTerminalDialog* terminal;  // owned by the window

    // Called once the start-up has finished (end-to-end runs drive the window from there).
    void SetStartedHandler(std::function<void()> started) { started_ = std::move(started); }

private:
    CCtrlToolDlg::Parts WindowParts();
    MainMenu::Actions MenuActions();
    ToolLifecycle::Views LifecycleViews();
    void ConnectPages();
    void ConnectFileOperations();
    void Initialise();
    void ShowMode();
    void PlaceCommunicationDialog();
    void RunIdentityDialog(int commandId);
    void CompareWithSettingFile();
    int ChooseArea(bool load, int& area);
    void CameraRestarting();

    std::function<void()> started_;
};
