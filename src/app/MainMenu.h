// The main window's menu bar: File, Settings, Utility, LUT and Help. The menu is one table of items, each
// with its text, its command id and the action the composition root gives that id.
#pragma once

#include <functional>
#include <map>
#include <string_view>

class OperationGate;
class QAction;
class QMenu;
class QMenuBar;
class QWidget;

class MainMenu {
public:
    // Menu 600: the command id of every item.
    enum Command : int {
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

    // One row of the menu: the menu it sits in ("File(&F)", a submenu as "File(&F)/&Save as"), its text
    // (empty: a separator) and its command id.
    struct Item {
        std::string_view menu;
        std::string_view text;
        int commandId;
    };
    using Actions = std::map<int, std::function<void()>>;

    // Builds the bar into `window`'s layout. An item's action runs through the gate: chosen while the
    // camera is busy (the long waits let window messages run), it is done whole once the camera work has
    // ended, never interleaved with it.
    MainMenu(QWidget* window, Actions actions, OperationGate& gate);

    QMenuBar* Bar() const { return bar_; }
    QMenu* Utility() const { return utility_; }
    QAction* Action(int commandId) const;
    // The Utility menu belongs to factory mode.
    void EnableUtility(bool factory);

private:
    QMenu* MenuFor(std::string_view path);
    void AddItem(QMenu* menu, const Item& item);

    QMenuBar* bar_ = nullptr;
    QMenu* utility_ = nullptr;
    std::map<std::string_view, QMenu*> menus_;
    std::map<int, QAction*> actions_;
    Actions handlers_;
    OperationGate& gate_;
};
