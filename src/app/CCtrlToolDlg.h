// The main window: the parameter pages on tabs, the keys with the factory-mode code, and the confirmation
// before the tool ends. What the window's menu and pages do is built by the composition root (ToolParts),
// which hands the window what it works through.
#pragma once

#include "app/FactoryKeySequence.h"
#include "framework/qt/CDialogBase.h"

#include <QSize>

#include <functional>
#include <string>
#include <vector>

class CParameterDispatcher;
class CTabSheetDialog;
class ControlMode;
class ControlTable;
class OperationGate;
class PageBinding;
class ParameterHandlers;
class QKeyEvent;
class QTabWidget;

class CCtrlToolDlg : public CDialogBase {
    Q_OBJECT

public:
    static constexpr int kStatusStripId = 1069;
    static constexpr int kTabControlId = 1089;

    // What the window works through; every part outlives the window.
    struct Parts {
        ControlTable& table;
        ControlMode& mode;
        PageBinding& binding;
        ParameterHandlers& handlers;
        CParameterDispatcher& dispatcher;
        OperationGate& gate;
        OperatorHosts hosts;
        std::function<void()> initialise;  // the window's first showing: its pages placed, the camera looked for
        std::function<void()> toggleFactoryMode;  // the access code was typed
        std::function<void()> ending;  // the window goes: the run ends
    };

    // Builds the pages, one per template the window creates, in the layouts' order.
    explicit CCtrlToolDlg(Parts parts, QWidget* parent = nullptr);

    // Shows one tab per page the control mode allows and selects the first.
    void RebuildTabs();
    // Every page in a scroll area of the tab control, and the window sized for the largest.
    void PlacePages();
    // Every key on the window and its pages comes here first; true when the key was used up.
    bool KeyFilter(QWidget* target, QKeyEvent* event);
    // The next close does not ask (the camera is restarting and the tool must go).
    void SetCloseWithoutConfirm() { closeWithoutConfirm_ = 1; }
    // "E&xit", and the end after "Camera Reset": the question, then the window goes.
    void ConfirmExit();

    QTabWidget* TabControl() const { return tab_; }
    std::vector<std::string> TabCaptions() const;
    CTabSheetDialog* ShownPage() const;
    const std::vector<CTabSheetDialog*>& Pages() const { return pages_; }
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
    Parts parts_;
    std::vector<CTabSheetDialog*> pages_;
    std::vector<QWidget*> pageFrames_;  // the scroll area each page sits in on the tab control
    QTabWidget* tab_ = nullptr;
    FactoryKeySequence keySequence_;
    QSize preferredSize_;
    int closeWithoutConfirm_ = 0;
    bool ended_ = false;
    bool exitWaiting_ = false;  // a close waits in the gate for the operation under way
};
