// The main window's menu bar: File, Settings, Utility, LUT and Help, each item known by its command id.
#pragma once

#include <functional>
#include <map>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

class MainMenu {
public:
    using CommandHandler = std::function<void(int commandId)>;

    // Builds the bar into `window`'s layout; every item calls `onCommand` with its id.
    MainMenu(QWidget* window, CommandHandler onCommand);

    QMenuBar* Bar() const { return bar_; }
    QMenu* Utility() const { return utility_; }
    QAction* Action(int commandId) const;
    // The Utility menu belongs to factory mode.
    void EnableUtility(bool factory);

private:
    void AddItem(QMenu* menu, const char* text, int commandId);

    QMenuBar* bar_ = nullptr;
    QMenu* utility_ = nullptr;
    std::map<int, QAction*> actions_;
    CommandHandler onCommand_;
};
