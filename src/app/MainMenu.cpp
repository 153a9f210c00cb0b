// The main window's menu bar.
#include "app/MainMenu.h"

#include "operations/OperationGate.h"

#include <QAction>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>

namespace {

constexpr std::string_view kFile = "File(&F)";
constexpr std::string_view kSaveAs = "File(&F)/&Save as";
constexpr std::string_view kSettings = "Settings(&S)";
constexpr std::string_view kUtility = "Utility(&U)";
constexpr std::string_view kLut = "LUT(&L)";
constexpr std::string_view kHelp = "Help(&H)";

// In the order they appear.
constexpr MainMenu::Item kItems[] = {
    {kFile, "&Open", MainMenu::kCmdOpen},
    {kFile, "&Compare with setting file...", MainMenu::kCmdCompare},
    {kSaveAs, "All Data", MainMenu::kCmdSaveAllData},
    {kSaveAs, "Shipping Data", MainMenu::kCmdSaveShippingData},
    {kFile, "", 0},
    {kFile, "E&xit", MainMenu::kCmdExit},
    {kSettings, "&Reload", MainMenu::kCmdReload},
    {kSettings, "&Load settings", MainMenu::kCmdLoadSettings},
    {kSettings, "&Store settings", MainMenu::kCmdStoreSettings},
    {kUtility, "Edit user id", MainMenu::kCmdEditUserId},
    {kUtility, "Edit camera id", MainMenu::kCmdEditCameraId},
    {kLut, "&Open LUT file", MainMenu::kCmdOpenLutFile},
    {kLut, "&Save LUT file", MainMenu::kCmdSaveLutFile},
    {kLut, "&Load all LUT table", MainMenu::kCmdLoadAllLut},
    {kHelp, "&About this application", MainMenu::kCmdAbout},
    {kHelp, "&Open Communication Dialog", MainMenu::kCmdOpenCommunication},
};

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

}  // namespace

MainMenu::MainMenu(QWidget* window, Actions actions, OperationGate& gate) : handlers_(std::move(actions)), gate_(gate)
{
    bar_ = new QMenuBar(window);
    window->layout()->setMenuBar(bar_);
    for (const Item& item : kItems) AddItem(MenuFor(item.menu), item);
    utility_ = menus_[kUtility];
}

QMenu* MainMenu::MenuFor(std::string_view path)
{
    if (QMenu* menu = menus_[path]) return menu;
    const std::size_t slash = path.rfind('/');
    QMenu* menu = slash == std::string_view::npos ? bar_->addMenu(Text(path))
                                                  : MenuFor(path.substr(0, slash))->addMenu(Text(path.substr(slash + 1)));
    menus_[path] = menu;
    return menu;
}

void MainMenu::AddItem(QMenu* menu, const Item& item)
{
    if (item.text.empty()) {
        menu->addSeparator();
        return;
    }
    QAction* action = menu->addAction(Text(item.text));
    const int commandId = item.commandId;
    action->setData(commandId);
    QObject::connect(action, &QAction::triggered, bar_, [this, commandId] {
        const auto handler = handlers_.find(commandId);
        if (handler != handlers_.end() && handler->second) gate_.Run(handler->second);
    });
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
