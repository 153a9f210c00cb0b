// The main window's start-up, keys, factory mode and exit against the simulated camera.
#include "e2e/MainWindowFixture.h"

#include "dialogs/CCommunicationDialog.h"
#include "dialogs/CTerminalDialog.h"
#include "framework/qt/QtUiHost.h"
#include "support/TestHosts.h"
#include "link/Command.h"
#include "link/SerialLink.h"
#include "pages/CTabSheetDialog.h"
#include "tables/ControlIds.h"
#include "pages/PageControls.h"
#include "settings/ControlMode.h"
#include "tables/CameraModelInfo.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include <cstdlib>

namespace {

constexpr int kGainAllEdit = 1041;

// A key press and release as the keyboard delivers them to the widget with the focus.
void KeyClick(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QString text;
    if (key >= Qt::Key_A && key <= Qt::Key_Z) text = QChar(static_cast<char16_t>('a' + (key - Qt::Key_A)));
    if (key == Qt::Key_Return) text = QStringLiteral("\r");
    if (key == Qt::Key_Escape) text = QChar(27);
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
}

using StartUpAtSpeed = MainWindowFixture;
class SpeedCase : public MainWindowFixture, public ::testing::WithParamInterface<int> {};

// Wherever a previous run left the camera, it is found and moved to 115200 bit/s, and its values are read.
TEST_P(SpeedCase, FindsTheCameraAndMovesItTo115200)
{
    const int rate = GetParam();
    StartCamera({"--speed", std::to_string(rate), "--set", "GA=123"});
    StartWindow();

    EXPECT_EQ(objects_->link.GetBaudRate(), 115200);
    // Moved with the two-step handshake, unless it already ran at 115200.
    EXPECT_EQ(CountTraffic("RX", "CBDRT=16"), rate == 115200 ? 0 : 2);
    EXPECT_EQ(objects_->table.GetDataValue(kGainAllEdit), 123);
    auto* edit = qobject_cast<QLineEdit*>(FindPageControl(kGainAllEdit));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text().toStdString(), "123");
    EXPECT_EQ(objects_->model.modelName, "RV-8200-A1");
    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());
    // The link really works at the new speed.
    std::string model;
    EXPECT_TRUE(objects_->command.Ask(cmd::MD, 1000).Answered());
}

INSTANTIATE_TEST_SUITE_P(EverySpeed, SpeedCase, ::testing::Values(9600, 19200, 38400, 57600, 115200));

TEST_F(StartUpAtSpeed, NoCameraKeepsTheDefaultsWithoutAMessage)
{
    StartCamera({"--silent"});
    StartWindow();

    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());
    for (int row = 0; row < ControlTable::kRowCount; ++row) {
        EXPECT_EQ(objects_->table.Row(row).value, ControlTable::Defaults()[row].value) << "row " << row;
    }
    // The scan ended at the camera's own start speed, and nothing but model queries and no handshake went out.
    EXPECT_EQ(objects_->link.GetBaudRate(), 9600);
    EXPECT_EQ(CountReceivedStartingWith("CBDRT"), 0);
    EXPECT_EQ(window_->TabCaptions().size(), 5u);
}

TEST_F(StartUpAtSpeed, UnsupportedModelIsNamedOnceAndNothingIsRead)
{
    StartCamera({"--model", "XC-9999"});
    StartWindow();

    ASSERT_EQ(messages_.Texts(), std::vector<std::string>{"Unsupported model: \"XC-9999\""});
    EXPECT_EQ(messages_.Shown()[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(CountReceivedStartingWith("GA?"), 0);
    EXPECT_EQ(CountReceivedStartingWith("TM?"), 0);
    for (int row = 0; row < ControlTable::kRowCount; ++row) {
        EXPECT_EQ(objects_->table.Row(row).value, ControlTable::Defaults()[row].value) << "row " << row;
    }
}

TEST_F(StartUpAtSpeed, LinkThatCannotOpenSaysSoOnceAndStaysUp)
{
    StartCameraProcess({});
    // "COM5" has no device in the test's folder and no serial port behind it.
    objects_->link.Open(kLinkComPort, 9600, 4);
    objects_->link.Close();
    messages_.Clear();
    StartWindow();
    // The port's own message and the tool's, once; no speed is tried on a port that is not there.
    EXPECT_EQ(messages_.Texts(),
              (std::vector<std::string>{"COM5 leads to /dev/ttyS4, which is not there: is the adapter plugged in?",
                                        "Failed to initialize!"}));
    EXPECT_EQ(CountReceivedStartingWith("MD?"), 0);
    objects_->link.Open(kLinkComPort, 9600, 0);
}

// ---- the window ----

using MainWindow = MainWindowFixture;

std::vector<std::string> UserTabs() { return {"User A", "User B", "User C", "User D", "User E"}; }

std::vector<std::string> FactoryTabs()
{
    std::vector<std::string> tabs = UserTabs();
    tabs.push_back("Factory A");
    return tabs;
}

void PressFactoryCode(QWidget* target, const char* letters)
{
    KeyClick(target, Qt::Key_F12, Qt::ShiftModifier | Qt::ControlModifier);
    for (const char* c = letters; *c; ++c) KeyClick(target, Qt::Key_A + (*c - 'A'));
}

TEST_F(MainWindow, TitleMenuAndUserModeTabs)
{
    StartCamera({});
    StartWindow();

    EXPECT_EQ(window_->windowTitle().toStdString(), "RV-8200-XC Control Tool  Ver 0.29");
    EXPECT_EQ(window_->TabCaptions(), UserTabs());
    EXPECT_EQ(window_->TabControl()->currentIndex(), 0);
    EXPECT_FALSE(parts_->menu.Utility()->menuAction()->isEnabled());
    EXPECT_FALSE(window_->windowIcon().isNull());

    struct Item {
        int id;
        const char* text;
        bool enabled;
    };
    const Item items[] = {
        {30008, "&Open", true},
        {30011, "All Data", true},
        {30012, "Shipping Data", true},
        {2, "E&xit", true},
        {30002, "&Reload", true},
        {30004, "&Load settings", true},
        {30003, "&Store settings", true},
        {30000, "Edit user id", true},
        {30005, "Edit camera id", true},
        {30006, "&Open LUT file", true},
        {30007, "&Save LUT file", true},
        {30009, "&Load all LUT table", true},
        {30001, "&About this application", true},
        {30010, "&Open Communication Dialog", true},
    };
    for (const Item& item : items) {
        QAction* action = parts_->menu.Action(item.id);
        ASSERT_NE(action, nullptr) << item.id;
        EXPECT_EQ(action->text().toStdString(), item.text);
        EXPECT_EQ(action->isEnabled(), item.enabled) << item.text;
    }
    // The items that already work, and the factory page's "Terminal" button.
    parts_->communication->hide();
    parts_->menu.Action(MainMenu::kCmdOpenCommunication)->trigger();
    EXPECT_TRUE(parts_->communication->isVisible());
    auto* terminalButton = qobject_cast<QAbstractButton*>(FindPageControl(ctl::kTerminalButton));
    ASSERT_NE(terminalButton, nullptr);
    terminalButton->click();
    EXPECT_TRUE(parts_->terminal->isVisible());

    std::vector<std::string> bar;
    for (QAction* action : parts_->menu.Bar()->actions()) bar.push_back(action->text().toStdString());
    EXPECT_EQ(bar, (std::vector<std::string>{"File(&F)", "Settings(&S)", "Utility(&U)", "LUT(&L)", "Help(&H)"}));
}

TEST_F(MainWindow, FactoryCodeTogglesTheFactoryPageAndAWrongLetterDisarms)
{
    StartCamera({});
    StartWindow();
    QWidget* edit = FindPageControl(kGainAllEdit);
    ASSERT_NE(edit, nullptr);

    window_->TabControl()->setCurrentIndex(2);
    PressFactoryCode(edit, "FAC");
    EXPECT_EQ(objects_->mode.Get(), 1);
    EXPECT_EQ(window_->TabCaptions(), FactoryTabs());
    EXPECT_EQ(window_->TabControl()->currentIndex(), 0);
    EXPECT_TRUE(parts_->menu.Utility()->menuAction()->isEnabled());
    // The factory parameters were read once the mode was on.
    EXPECT_GT(CountReceivedStartingWith("GAORA?"), 0);

    // A wrong letter disarms; the right letters afterwards do nothing without a new Shift+Ctrl+F12.
    PressFactoryCode(edit, "FXAC");
    EXPECT_EQ(objects_->mode.Get(), 1);
    KeyClick(edit, Qt::Key_F12, Qt::ShiftModifier | Qt::ControlModifier);
    KeyClick(edit, Qt::Key_F);
    KeyClick(edit, Qt::Key_Shift, Qt::ShiftModifier);  // a modifier alone changes nothing
    KeyClick(edit, Qt::Key_A);
    KeyClick(edit, Qt::Key_B);
    KeyClick(edit, Qt::Key_C);
    EXPECT_EQ(objects_->mode.Get(), 1);
    EXPECT_EQ(window_->TabCaptions(), FactoryTabs());

    window_->TabControl()->setCurrentIndex(5);
    PressFactoryCode(window_->TabControl()->tabBar(), "FAC");
    EXPECT_EQ(objects_->mode.Get(), 0);
    EXPECT_EQ(window_->TabCaptions(), UserTabs());
    EXPECT_EQ(window_->TabControl()->currentIndex(), 0);
    EXPECT_FALSE(parts_->menu.Utility()->menuAction()->isEnabled());
    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());
}

TEST_F(MainWindow, EnterCommitsAnEditEscapeDropsTheTypingAndNeitherCloses)
{
    StartCamera({"--set", "GA=100"});
    StartWindow();
    window_->show();
    auto* edit = qobject_cast<QLineEdit*>(FindPageControl(kGainAllEdit));
    ASSERT_NE(edit, nullptr);

    edit->setText("200");
    KeyClick(edit, Qt::Key_Return);
    EXPECT_EQ(CountTraffic("RX", "GA=200"), 1);
    EXPECT_EQ(objects_->table.GetDataValue(kGainAllEdit), 200);
    EXPECT_EQ(objects_->table.GetShadowValue(kGainAllEdit), 200);
    EXPECT_TRUE(window_->isVisible());

    edit->setText("300");
    KeyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(CountReceivedStartingWith("GA=3"), 0);
    EXPECT_EQ(edit->text().toStdString(), "200");
    EXPECT_TRUE(window_->isVisible());

    // On the window itself neither key ends the tool either, and nothing asks.
    KeyClick(window_, Qt::Key_Escape);
    KeyClick(window_, Qt::Key_Return);
    EXPECT_TRUE(window_->isVisible());
    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());
}

TEST_F(MainWindow, AnsweringNoToTheExitQuestionKeepsEverything)
{
    StartCamera({});
    StartWindow();
    window_->show();
    messages_.QueueAnswer(MessageResult::No);
    parts_->menu.Action(MainMenu::kCmdExit)->trigger();

    ASSERT_EQ(messages_.Shown().size(), 1u);
    const MessageRequest& box = messages_.Shown()[0];
    EXPECT_EQ(box.text, "Are you sure to terminate the Camera Control Tool ?");
    EXPECT_EQ(box.caption, "Confirm");
    EXPECT_EQ(box.buttons, MessageButtons::YesNo);
    EXPECT_EQ(box.icon, MessageIcon::Question);
    EXPECT_TRUE(window_->isVisible());
    EXPECT_EQ(CountTraffic("RX", "CBDRT=1"), 0);
    EXPECT_TRUE(objects_->command.Ask(cmd::MD, 1000).Answered());  // the link is still open at 115200
    EXPECT_EQ(objects_->link.GetBaudRate(), 115200);
}

TEST_F(MainWindow, ClosingReturnsCameraAndPcTo9600)
{
    StartCamera({});
    StartWindow();
    window_->show();
    messages_.QueueAnswer(MessageResult::Yes);
    window_->close();

    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(CountTraffic("RX", "CBDRT=1"), 2);
    EXPECT_EQ(objects_->link.GetBaudRate(), 9600);
    // The camera now answers at its own start speed.
    ASSERT_EQ(objects_->link.ReopenCurrent(), 1);
    EXPECT_TRUE(objects_->command.Ask(cmd::MD, 1000).Answered());
}

TEST_F(MainWindow, ReloadReadsTheWorkingAreaAndEverythingAgain)
{
    StartCamera({"--set", "GA=150"});
    StartWindow();
    const int readsBefore = CountReceivedStartingWith("GA?");
    parts_->menu.Action(MainMenu::kCmdReload)->trigger();
    EXPECT_EQ(CountReceivedStartingWith("GA?"), readsBefore + 1);
    EXPECT_EQ(CountReceivedStartingWith("EA?"), 2);
    EXPECT_EQ(objects_->table.GetDataValue(kGainAllEdit), 150);
}

// A camera left at 9600 bit/s on another port is found there and moved to 115200 bit/s, as at the start-up.
TEST_F(MainWindow, ChoosingAnotherPortSearchesTheCamerasSpeed)
{
    StartCameraProcess({});
    StartWindow();
    const std::string firstHome = std::getenv("XDG_CONFIG_HOME");
    objects_->command.SetTimeoutLimitMs(250);  // the speeds the camera does not listen at pass quickly
    CamsimProcess second(RV_CAMSIM_EXECUTABLE, 2, {"--speed", "9600"});  // "COM2" in a configuration of its own
    ASSERT_TRUE(second.Ok()) << second.Error();
    parts_->communication->OnPortChanged(1);
    ::setenv("XDG_CONFIG_HOME", firstHome.c_str(), 1);
    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());
    EXPECT_EQ(parts_->communication->BaudSelection(), 4) << "not moved to 115200 bit/s";
}

// The reload pumps every window message, the close box's too: the question waits for the reload's end.
TEST_F(MainWindow, TheCloseBoxDuringAReloadAsksOnceTheReloadHasEnded)
{
    StartCamera({});
    StartWindow();
    window_->show();
    QtUiHost pump;
    const ScopedUiHost pumping(pump);
    messages_.QueueAnswer(MessageResult::Yes);
    QTimer::singleShot(0, window_, [this] { window_->close(); });
    parts_->menu.Action(MainMenu::kCmdReload)->trigger();
    EXPECT_EQ(messages_.Texts(), std::vector<std::string>{"Are you sure to terminate the Camera Control Tool ?"});
    // CEA3 is the last value a reload asks for: read twice (start-up and reload), both before the exit's speed reset.
    int lastReads = 0;
    for (const std::string& entry : Traffic()) {
        if (entry.ends_with(" RX CBDRT=1")) break;
        lastReads += entry.ends_with(" RX CEA3?") ? 1 : 0;
    }
    EXPECT_EQ(lastReads, 2);
}

}  // namespace
