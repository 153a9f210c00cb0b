#include "app/ToolObjects.h"
#include "support/TestHosts.h"
#include "support/CamsimProcess.h"
#include "support/FileText.h"
#include "support/LinkDialogsEnvironment.h"
#include "support/ManualTimerService.h"
#include "support/ScopedEnv.h"
#include "support/SerialDeviceTree.h"

#include "dialogs/CCommunicationDialog.h"
#include "dialogs/CProgressBarDialog.h"
#include "dialogs/CSerialPortPanel.h"
#include "framework/OnlineStatusRegistry.h"
#include "framework/qt/ControlWindow.h"
#include "link/Command.h"
#include "link/SerialLink.h"
#include "settings/ControlMode.h"
#include "settings/RegistrySettings.h"
#ifdef RV_CL_SIM_DIR
#include "support/ClSimFolder.h"
#endif
#include "support/RecordingFileDialogHost.h"
#include "support/RecordingMessageHost.h"
#include "tables/CommandTable.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace {

std::unique_ptr<CCommunicationDialog> MakeDialog()
{
    ToolObjects& o = TestObjects();
    return std::make_unique<CCommunicationDialog>(o.link, o.command, o.reader, o.mode, o.settings, o.progress, TestHosts());
}

bool Contains(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class CommunicationDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(TestCamera(), nullptr) << "the simulated camera did not start";
        ASSERT_TRUE(OpenTestCameraLink()) << ::testing::PrintToString(messages_.Texts());
        TestObjects().mode.Set(0);
        dialog_ = MakeDialog();
        dialog_->InitDialog();
        messages_.Clear();
    }

    void TearDown() override
    {
        dialog_.reset();
        TestObjects().mode.Set(0);
        if (HasFailure() && TestCamera()) std::cerr << "camera traffic:\n" << TestCameraTraffic() << "\n";
    }

    template <class T>
    T* Control(int id)
    {
        return qobject_cast<T*>(FindChildControl(dialog_.get(), id));
    }
    QComboBox* AreaList() { return Control<QComboBox>(1026); }
    QPushButton* StoreButton() { return Control<QPushButton>(1076); }

    void SelectArea(int area)
    {
        AreaList()->setCurrentIndex(AreaList()->findData(area));
        emit AreaList()->activated(AreaList()->currentIndex());
    }

    RecordingMessageHost messages_;
    RecordingFileDialogHost files_;
    std::unique_ptr<CCommunicationDialog> dialog_;
};

TEST_F(CommunicationDialogTest, StartsWithTheLinkChoiceAndUserArea1)
{
    EXPECT_EQ(Control<QComboBox>(1009)->currentIndex(), kLinkComPort);
    EXPECT_EQ(Control<QComboBox>(1005)->count(), 16);
    EXPECT_EQ(Control<QComboBox>(1005)->currentText().toStdString(), "COM1");
    EXPECT_EQ(Control<QComboBox>(1027)->currentText().toStdString(), "115200bps");
    EXPECT_FALSE(Control<QComboBox>(1027)->isEnabled());
    EXPECT_EQ(AreaList()->currentText().toStdString(), "User 1 Data");
    EXPECT_TRUE(StoreButton()->isEnabled());
    // The setting-file buttons are there but cannot be used yet.
    EXPECT_FALSE(Control<QPushButton>(1072)->isEnabled());
    EXPECT_FALSE(Control<QPushButton>(1073)->isEnabled());
    int writes = 0;
    dialog_->SetSettingFileActions([&writes] { ++writes; }, {});
    EXPECT_TRUE(Control<QPushButton>(1072)->isEnabled());
    EXPECT_FALSE(Control<QPushButton>(1073)->isEnabled());
    Control<QPushButton>(1072)->click();
    EXPECT_EQ(writes, 1);
    dialog_->SetBaudSelection(1);
    EXPECT_EQ(Control<QComboBox>(1027)->currentText().toStdString(), "19200bps");
}

TEST_F(CommunicationDialogTest, ConstructionAfterAnAbnormalEndFallsBackToTheSerialPort)
{
    // This run's settings store is new, so the previous run did not end normally.
    ASSERT_FALSE(TestObjects().settings.IsPreviousShutdownNormal());
    dialog_.reset();
    TestObjects().link.SetMode(kLinkCl2001);
    dialog_ = MakeDialog();
    EXPECT_EQ(TestObjects().link.GetMode(), kLinkComPort);
}

struct StoreRuleCase {
    int controlMode;
    int area;
    bool enabled;
};

class StoreButtonRule : public CommunicationDialogTest, public ::testing::WithParamInterface<StoreRuleCase> {};

TEST_P(StoreButtonRule, FollowsAreaAndFactoryMode)
{
    TestObjects().mode.Set(GetParam().controlMode);
    SelectArea(GetParam().area);
    EXPECT_EQ(StoreButton()->isEnabled(), GetParam().enabled);
    // The main window asks again after toggling the mode.
    TestObjects().mode.Set(1 - GetParam().controlMode);
    dialog_->UpdateStoreButton();
    EXPECT_EQ(StoreButton()->isEnabled(), GetParam().area != 0 || GetParam().controlMode == 0);
}

INSTANTIATE_TEST_SUITE_P(Areas, StoreButtonRule,
                         ::testing::Values(StoreRuleCase{0, 0, false}, StoreRuleCase{0, 1, true},
                                           StoreRuleCase{0, 2, true}, StoreRuleCase{0, 3, true},
                                           StoreRuleCase{1, 0, true}, StoreRuleCase{1, 2, true}));

struct StoreCase {
    int area;
    const char* line;
};

class StoreIntoArea : public CommunicationDialogTest, public ::testing::WithParamInterface<StoreCase> {};

TEST_P(StoreIntoArea, SendsTheAreaCommandAndConfirms)
{
    TestObjects().mode.Set(1);
    SelectArea(GetParam().area);
    StoreButton()->click();
    const std::vector<std::string> lines = dialog_->Messages();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1], GetParam().line);
    EXPECT_EQ(lines[0].rfind("COMPLETE", 0), 0u) << lines[0];
    EXPECT_TRUE(TestCameraLogged(GetParam().line));
    ASSERT_EQ(messages_.Shown().size(), 1u);
    EXPECT_EQ(messages_.Shown()[0].text, "Completed to store current setting data!");
    EXPECT_EQ(messages_.Shown()[0].icon, MessageIcon::Information);
    EXPECT_FALSE(TestObjects().progress.IsOpen());
    EXPECT_EQ(TestObjects().progress.Message(), "Now, Storing camera data.");
}

INSTANTIATE_TEST_SUITE_P(Areas, StoreIntoArea,
                         ::testing::Values(StoreCase{2, "SA=2"}, StoreCase{0, "SA00=0"}, StoreCase{3, "SA=3"}),
                         [](const ::testing::TestParamInfo<StoreCase>& tp) {
                             return "Area" + std::to_string(tp.param.area);
                         });

TEST_F(CommunicationDialogTest, LoadSendsTheAreaRereadsTheCameraAndGetAreaNamesIt)
{
    SelectArea(3);
    Control<QPushButton>(1077)->click();
    std::vector<std::string> lines = dialog_->Messages();
    std::reverse(lines.begin(), lines.end());  // oldest first
    const auto load = std::find(lines.begin(), lines.end(), "LD=3");
    ASSERT_NE(load, lines.end());
    EXPECT_NE(std::find(load, lines.end(), "MD?"), lines.end()) << "no re-read after the load";

    Control<QPushButton>(1074)->click();
    EXPECT_EQ(Control<QLabel>(1075)->text().toStdString(), "User 3 Data");
}

TEST(CommunicationAreaNames, NumbersAndFailures)
{
    EXPECT_EQ(CCommunicationDialog::AreaName(0, true).toStdString(), "Factory Data");
    for (int area : {-1, 4, 255}) EXPECT_EQ(CCommunicationDialog::AreaName(area, true).toStdString(), "Unkown");
}

TEST_F(CommunicationDialogTest, GetAreaWithoutAnAnswerShowsUnknown)
{
    Control<QPushButton>(1074)->click();
    ASSERT_EQ(Control<QLabel>(1075)->text().toStdString().find("Data") != std::string::npos, true);
    TestObjects().link.Close();
    Control<QPushButton>(1074)->click();  // the 5 s time-out
    EXPECT_EQ(Control<QLabel>(1075)->text().toStdString(), "Unkown");
}

TEST_F(CommunicationDialogTest, MessageListKeepsTheNewest4096)
{
    dialog_->OnClearMessages();
    for (int i = 0; i <= CCommunicationDialog::kMaxMessages; ++i) dialog_->AddMessage("line " + std::to_string(i));
    const std::vector<std::string> lines = dialog_->Messages();
    ASSERT_EQ(lines.size(), 4096u);
    EXPECT_EQ(lines.front(), "line 4096");
    EXPECT_EQ(lines.back(), "line 1");
    Control<QPushButton>(1080)->click();
    EXPECT_EQ(dialog_->MessageList()->count(), 0);
}

TEST_F(CommunicationDialogTest, SavesOldestFirstUnderANewNameAndRemembersTheFolder)
{
    const std::string folder = TestFolder("comm-save");
    const std::string path = folder + "/traffic";  // new file, typed without extension
    dialog_->OnClearMessages();
    for (const char* line : {"MD?", "MD=RV-8200-A1", "GA=100"}) dialog_->AddMessage(line);
    files_.UseDisk(true);
    files_.QueuePath(path);
    Control<QPushButton>(1079)->click();

    ASSERT_EQ(files_.Shown().size(), 1u);
    const FileDialogRequest& request = files_.Shown()[0];
    EXPECT_EQ(request.mode, FileDialogMode::Save);
    EXPECT_EQ(request.defaultExtension, "txt");
    ASSERT_EQ(request.filters.size(), 1u);
    EXPECT_EQ(request.filters[0].description, "txt file (*.txt)");
    EXPECT_EQ(request.filters[0].pattern, "*.txt");
    EXPECT_EQ(ReadText(path + ".txt"), "MD?\r\nMD=RV-8200-A1\r\nGA=100\r\n");
    EXPECT_EQ(dialog_->Messages().front(), "Writing file has been done!");
    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());

    std::string stored;
    ASSERT_EQ(TestObjects().settings.GetFolder(kItemCommandLogFilePath, stored), 1);
    EXPECT_EQ(std::filesystem::path(stored), std::filesystem::path(folder));
    // The next dialog starts there.
    files_.QueueCancel();
    Control<QPushButton>(1079)->click();
    const std::string separator(1, QDir::separator().toLatin1());
    EXPECT_EQ(files_.Shown().back().initialName,
              QDir::toNativeSeparators(QString::fromStdString(folder)).toStdString() + separator + "*.txt");
}

TEST_F(CommunicationDialogTest, AFileThatCannotBeWrittenIsReportedAndNotClaimedDone)
{
    const std::string path = TestFolder("comm-fail") + "/missing/folder/log.txt";
    dialog_->AddMessage("x");
    files_.QueuePath(path);
    dialog_->OnWriteMessages();
    ASSERT_EQ(messages_.Shown().size(), 1u);
    EXPECT_EQ(messages_.Shown()[0].text,
              TestFolder("comm-fail") + "/missing/folder\nCouldn't create a file in this folder");
    EXPECT_EQ(messages_.Shown()[0].icon, MessageIcon::Stop);
    EXPECT_EQ(dialog_->Messages().front(), "x");
}

TEST_F(CommunicationDialogTest, AStoredPortBeyondTheListOpensTheFirstPort)
{
    dialog_.reset();
    TestObjects().link.Open(kLinkComPort, 115200, 20);  // "COM21" does not exist
    EXPECT_EQ(TestObjects().link.CurrentPortIndex(), 20);
    dialog_ = MakeDialog();
    dialog_->InitDialog();
    EXPECT_EQ(TestObjects().link.CurrentPortIndex(), 0);
    EXPECT_EQ(Control<QComboBox>(1005)->currentIndex(), 0);
    EXPECT_TRUE(TestObjects().command.Ask(cmd::MD, 1000).Answered()) << "the first port is not open";
}

TEST_F(CommunicationDialogTest, LineStatusFollowsTheBroadcast)
{
    TestHosts().onlineStatus.SetOnline();
    EXPECT_EQ(dialog_->LineStatusIcon(), 503);
    EXPECT_EQ(Control<QLabel>(1063)->text().toStdString(), "Online");
    const QImage online = Control<QLabel>(1071)->pixmap().toImage();
    ASSERT_FALSE(online.isNull()) << "icon 503 is missing from the resources";
    TestHosts().onlineStatus.SetOffline();
    EXPECT_EQ(dialog_->LineStatusIcon(), 502);
    EXPECT_EQ(Control<QLabel>(1063)->text().toStdString(), "Offline");
    const QImage offline = Control<QLabel>(1071)->pixmap().toImage();
    ASSERT_FALSE(offline.isNull()) << "icon 502 is missing from the resources";
    EXPECT_NE(online, offline);
}

TEST_F(CommunicationDialogTest, ACategoryThatCannotOpenIsReportedAndTheSerialPortComesBack)
{
    const ScopedEnv folder("CLSERIALPATH", TestFolder("no-libraries"));
    Control<QComboBox>(1009)->setCurrentIndex(kLinkCl2000);
    emit Control<QComboBox>(1009)->activated(kLinkCl2000);
    const std::vector<std::string> texts = messages_.Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Failed to initialize!"), 1) << ::testing::PrintToString(texts);
    EXPECT_EQ(TestObjects().link.GetMode(), kLinkCl2000);
    EXPECT_EQ(Control<QComboBox>(1005)->count(), 0);
    EXPECT_FALSE(dialog_->SerialPorts()->isVisibleTo(dialog_.get())) << "serial ports shown for a library";

    messages_.Clear();
    dialog_->OnClearMessages();
    Control<QComboBox>(1009)->setCurrentIndex(kLinkComPort);
    emit Control<QComboBox>(1009)->activated(kLinkComPort);
    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());
    EXPECT_EQ(Control<QComboBox>(1005)->count(), 16);
    EXPECT_TRUE(dialog_->SerialPorts()->isVisibleTo(dialog_.get()));
    EXPECT_TRUE(Contains(dialog_->Messages(), "MD?"));
    EXPECT_TRUE(Contains(dialog_->Messages(), "GA?")) << "the camera was not read again";
}

#ifdef RV_CL_SIM_DIR
// A kind never used before has no entry list until its folder is scanned; then the search, as at the start-up.
TEST_F(CommunicationDialogTest, AKindUsedForTheFirstTimeOpensItsEntryAndShowsTheRateInForce)
{
    ClSimFolder folder;
    folder.AddLibrary("2001/clserial.so", "clserial.so");
    {
        const ScopedEnv path("CLSERIALPATH", folder.Path());
        dialog_->OnCategoryChanged(kLinkCl2001);
    }
    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());
    EXPECT_EQ(Control<QComboBox>(1027)->currentText().toStdString(), "115200bps");
    TestObjects().link.Close();  // the library folder goes with this test
}
#endif

// Two FTDI adapters and an on-board port in a built tree; the first adapter's node is the camera's terminal.
class CommunicationDialogPorts : public CommunicationDialogTest {
protected:
    void SetUp() override
    {
        CommunicationDialogTest::SetUp();
        if (HasFatalFailure()) return;
        links_ = std::filesystem::path(TestCamera()->LinkPath()).parent_path().string();
        idA_ = tree_.AddFtdi("ttyUSB0", "1-1", "A10KZP3X", std::filesystem::read_symlink(TestCamera()->LinkPath()));
        idB_ = tree_.AddFtdi("ttyUSB1", "1-2", "B20LM7QY", "/dev/zero");
        tree_.AddOnBoard("ttyS0", "4", "serial", "/dev/random");
        Panel()->SetDiscovery(SerialPortDiscovery(tree_.Root()));
    }
    void TearDown() override
    {
        SerialDevice::SetOpenOverride({});
        for (const char* link : {"/com2", "/com3"}) std::filesystem::remove(links_ + link);
        CommunicationDialogTest::TearDown();
    }
    CSerialPortPanel* Panel() { return dialog_->SerialPorts(); }
    static std::string Cell(QTreeWidget* list, int row, int column)
    {
        return list->topLevelItem(row)->text(column).toStdString();
    }
    void UseAs(int portIndex, int adapterRow)
    {
        Panel()->SetPortIndex(portIndex);
        Panel()->AdapterList()->setCurrentItem(Panel()->AdapterList()->topLevelItem(adapterRow));
        Panel()->UseButton()->click();
    }

    SerialDeviceTree tree_;
    std::string links_;
    std::string idA_;
    std::string idB_;
};

TEST_F(CommunicationDialogPorts, ListsTheAdaptersAndUseAsCom2ReachesTheCameraBehindOne)
{
    QTreeWidget* adapters = Panel()->AdapterList();
    ASSERT_EQ(adapters->topLevelItemCount(), 3);
    // Paths as the system the tree stands for names them.
    const std::string shownA = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10KZP3X-if00-port0";
    const std::pair<int, std::string> cells[] = {{0, shownA}, {1, "FTDI"}, {2, "FT232R USB UART"}, {3, "A10KZP3X"}};
    for (const auto& [column, text] : cells) EXPECT_EQ(Cell(adapters, 0, column), text);
    EXPECT_EQ(Cell(adapters, 2, 2), "on-board port (16550A)");
    QTreeWidget* routes = Panel()->RouteList();
    ASSERT_EQ(routes->topLevelItemCount(), 16);
    EXPECT_EQ(Cell(routes, 1, 1) + " " + Cell(routes, 1, 2), "/dev/ttyS1 not there");

    dialog_->OnClearMessages();
    UseAs(1, 0);
    EXPECT_EQ(Panel()->UseButton()->text().toStdString(), "Use as COM2");
    EXPECT_EQ(std::filesystem::read_symlink(links_ + "/com2"), std::filesystem::path(idA_));
    EXPECT_EQ(Control<QComboBox>(1005)->currentText().toStdString(), "COM2");
    EXPECT_TRUE(Contains(dialog_->Messages(), "GA?")) << "the camera behind COM2 was not read";
    EXPECT_EQ(Cell(routes, 1, 1) + " " + Cell(routes, 1, 2), shownA + " FTDI FT232R USB UART, serial A10KZP3X");
    EXPECT_EQ(Cell(adapters, 0, 4), "COM1, COM2") << "both lead to the camera's terminal";
    for (QWidget* control : std::initializer_list<QWidget*>{Panel(), routes, adapters, Panel()->UseButton()}) {
        EXPECT_FALSE(control->accessibleName().isEmpty()) << control->metaObject()->className();
    }
}

TEST_F(CommunicationDialogPorts, AGoneDeviceAndAForbiddenOneEachSayWhy)
{
    std::filesystem::create_symlink(tree_.Node("ttyUSB5"), links_ + "/com3");
    dialog_->OnPortChanged(2);
    SerialDevice::SetOpenOverride([](const std::string&) { return SerialOpenFailure::Permission; });
    UseAs(1, 1);
    EXPECT_EQ(messages_.Texts(),
              (std::vector<std::string>{
                  "COM3 leads to " + tree_.Node("ttyUSB5") + ", which is not there: is the adapter plugged in?",
                  "COM2 leads to " + idB_ +
                      ", which is not open to your user: add yourself to the group 'dialout' (`sudo adduser $USER "
                      "dialout`) and log in again"}));
}

TEST_F(CommunicationDialogPorts, FollowsAdaptersPulledWhileShown)
{
    ManualTimerService timers;
    dialog_->show();
    ASSERT_EQ(timers.RunningCount(), 1);
    tree_.Unplug("ttyUSB1");
    timers.FireAll();
    EXPECT_EQ(Panel()->AdapterList()->topLevelItemCount(), 2);
    dialog_->hide();
    EXPECT_EQ(timers.RunningCount(), 0);
}

}  // namespace
