#include "app/ToolObjects.h"
#include "support/CamsimProcess.h"
#include "support/FileText.h"
#include "support/LinkDialogsEnvironment.h"

#include "dialogs/CCommunicationDialog.h"
#include "dialogs/CTerminalDialog.h"
#include "framework/qt/CStatusStrip.h"
#include "framework/qt/ControlWindow.h"
#include "link/Command.h"
#include "link/SerialLink.h"
#include "settings/RegistrySettings.h"
#include "support/RecordingFileDialogHost.h"
#include "support/RecordingMessageHost.h"
#include "support/TestHosts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <chrono>
#include <filesystem>
#include <memory>
#include <regex>

namespace {

// The text after the time stamp "mm:ss:mmm  ".
std::string Text(const std::string& line) { return line.size() >= 11 ? line.substr(11) : std::string(); }

void PressKey(QWidget* widget, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

class TerminalDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        terminal_ = std::make_unique<CTerminalDialog>(TestObjects().link, TestObjects().settings, TestHosts());
        terminal_->InitDialog();
    }
    void TearDown() override { terminal_.reset(); }

    template <class T>
    T* Control(int id)
    {
        return qobject_cast<T*>(FindChildControl(terminal_.get(), id));
    }

    RecordingMessageHost messages_;
    RecordingFileDialogHost files_;
    std::unique_ptr<CTerminalDialog> terminal_;
};

TEST_F(TerminalDialogTest, LinesCarryTheTimeStamp)
{
    EXPECT_EQ(CTerminalDialog::TimeStamp(5, 7, 9), "05:07:009  ");
    EXPECT_EQ(CTerminalDialog::TimeStamp(59, 59, 999), "59:59:999  ");
    terminal_->AddLine("Tx: ST?");
    const std::string line = terminal_->Lines().front();
    EXPECT_TRUE(std::regex_match(line, std::regex(R"([0-5]\d:[0-5]\d:\d{3}  Tx: ST\?)"))) << line;
}

TEST_F(TerminalDialogTest, KeepsTheNewest32786LinesAndStaysQuick)
{
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i <= CTerminalDialog::kMaxLines; ++i) terminal_->AddLine("line " + std::to_string(i));
    const qint64 elapsedMs = clock.elapsed();
    const std::vector<std::string> lines = terminal_->Lines();
    ASSERT_EQ(lines.size(), 32786u);
    EXPECT_EQ(Text(lines.front()), "line 32786");
    EXPECT_EQ(Text(lines.back()), "line 1");
    // A full list must take a new line at once, not after a pause the operator notices.
    clock.restart();
    for (int i = 0; i < 1000; ++i) terminal_->AddLine("more");
    const qint64 fullListMs = clock.elapsed();
    EXPECT_EQ(terminal_->TrafficList()->count(), CTerminalDialog::kMaxLines);
    RecordProperty("fill_32787_ms", static_cast<int>(elapsedMs));
    RecordProperty("add_1000_to_full_ms", static_cast<int>(fullListMs));
    std::cout << "filling 32787 lines: " << elapsedMs << " ms; 1000 lines on a full list: " << fullListMs << " ms\n";
    EXPECT_LT(fullListMs, 1500);
    Control<QPushButton>(1006)->click();
    EXPECT_EQ(terminal_->TrafficList()->count(), 0);
}

TEST_F(TerminalDialogTest, SavesNewestFirstAddingTheExtension)
{
    const std::string folder = TestFolder("terminal-save");
    for (const char* line : {"Tx: MD?", "Rx: MD=RV-8200-A1"}) terminal_->AddLine(line);
    const std::vector<std::string> before = terminal_->Lines();
    files_.UseDisk(true);
    files_.QueuePath(folder + "/session");
    Control<QPushButton>(1008)->click();

    ASSERT_EQ(files_.Shown().size(), 1u);
    const FileDialogRequest& request = files_.Shown()[0];
    EXPECT_EQ(request.defaultExtension, "csv");
    ASSERT_EQ(request.filters.size(), 1u);
    EXPECT_EQ(request.filters[0].description, "CSV file (*.csv)");
    EXPECT_EQ(request.filters[0].pattern, "*.csv");
    EXPECT_EQ(ReadText(folder + "/session.csv"), before[0] + "\r\n" + before[1] + "\r\n");
    EXPECT_EQ(Text(before[0]), "Rx: MD=RV-8200-A1");
    EXPECT_EQ(Text(terminal_->Lines().front()), "Writing file has been done !");
    std::string stored;
    ASSERT_EQ(TestObjects().settings.GetFolder(kItemCommandLogFilePath, stored), 1);
    EXPECT_EQ(std::filesystem::path(stored), std::filesystem::path(folder));
}

TEST_F(TerminalDialogTest, FileErrorsAreReported)
{
    terminal_->AddLine("Tx: ST?");
    files_.QueueError(3);
    terminal_->OnSave();
    ASSERT_EQ(messages_.Shown().size(), 1u);
    EXPECT_EQ(messages_.Shown()[0].text, "Error in Load Dialog!");
    EXPECT_EQ(messages_.Shown()[0].caption, "Load Error");
    EXPECT_EQ(messages_.Shown()[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(GetFileDialogHost(), &files_) << "the shared host was not put back";

    const std::string path = TestFolder("terminal-fail") + "/no/such/folder/log.csv";
    files_.QueuePath(path);
    terminal_->OnSave();
    EXPECT_EQ(messages_.Shown().back().text,
              TestFolder("terminal-fail") + "/no/such/folder\nCouldn't create a file in this folder");
    EXPECT_EQ(messages_.Shown().back().icon, MessageIcon::Stop);
    EXPECT_EQ(Text(terminal_->Lines().front()), "Tx: ST?");
}

TEST_F(TerminalDialogTest, ControlsFollowTheClientSize)
{
    terminal_->show();
    terminal_->resize(600, 400);
    QApplication::processEvents();
    ASSERT_EQ(terminal_->size(), QSize(600, 400));
    const int w = 600, h = 400;
    struct Expected {
        int id;
        QRect rect;
    };
    const Expected expected[] = {
        {1001, QRect(10, 10, w - 90, 20)}, {1004, QRect(10, 42, w - 90, h - 62)}, {1070, QRect(4, h - 12, w - 8, 8)},
        {1007, QRect(w - 70, 10, 60, 20)}, {1003, QRect(w - 70, 34, 60, 20)},     {1006, QRect(w - 70, 58, 60, 20)},
        {1008, QRect(w - 70, 82, 60, 20)},
    };
    for (const Expected& e : expected) {
        QWidget* control = FindChildControl(terminal_.get(), e.id);
        ASSERT_NE(control, nullptr) << e.id;
        const QRect inClient(control->mapTo(terminal_.get(), QPoint(0, 0)), control->size());
        EXPECT_EQ(inClient, e.rect) << "control " << e.id;
    }
    terminal_->hide();
}

TEST_F(TerminalDialogTest, CloseAndEscapeOnlyHide)
{
    terminal_->Show();
    EXPECT_TRUE(terminal_->isVisible());
    PressKey(terminal_.get(), Qt::Key_Escape);
    EXPECT_FALSE(terminal_->isVisible());
    terminal_->Show();
    Control<QPushButton>(1007)->click();
    EXPECT_FALSE(terminal_->isVisible());
    terminal_->Show();
    terminal_->close();
    EXPECT_FALSE(terminal_->isVisible());
    terminal_->AddLine("still logging");
    EXPECT_EQ(Text(terminal_->Lines().front()), "still logging");
}

TEST_F(TerminalDialogTest, EnterSendsTheLineAndTheAnswerShowsAboveIt)
{
    ASSERT_NE(TestCamera(), nullptr);
    ASSERT_TRUE(OpenTestCameraLink());
    terminal_->Show();
    QLineEdit* edit = terminal_->CommandEdit();
    edit->setText(QStringLiteral("ST?"));
    edit->setFocus();
    PressKey(edit, Qt::Key_Return);
    ASSERT_FALSE(terminal_->Lines().empty());
    EXPECT_EQ(Text(terminal_->Lines().front()), "Tx: ST?");
    EXPECT_EQ(terminal_->CommandText(), "ST?");
    EXPECT_EQ(edit->text().toStdString(), "ST?");

    TestObjects().command.StartPolling();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (Text(terminal_->Lines().front()).rfind("Rx: ", 0) != 0 && std::chrono::steady_clock::now() < deadline) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    TestObjects().command.StopPolling();
    const std::vector<std::string> lines = terminal_->Lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(Text(lines[0]).rfind("Rx: ST=", 0), 0u) << lines[0];
    EXPECT_EQ(Text(lines[1]), "Tx: ST?");
    terminal_->hide();
}

}  // namespace
