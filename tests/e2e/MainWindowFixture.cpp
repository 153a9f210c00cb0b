// The main window against the simulated camera.
#include "e2e/MainWindowFixture.h"

#include "support/TestHosts.h"
#include "pages/PageControls.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalBlocker>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>

#include <unistd.h>

void MainWindowFixture::SetUp()
{
    char pattern[] = "/tmp/rv-traffic-XXXXXX";
    const int fd = ::mkstemp(pattern);
    ASSERT_GE(fd, 0);
    ::close(fd);
    logPath_ = pattern;
}

void MainWindowFixture::TearDown()
{
    parts_.reset();
    window_ = nullptr;
    if (objects_) objects_->link.Close();
    objects_.reset();
    if (HasFailure() && camera_) {
        std::cerr << "camera log:\n" << camera_->Log() << "\ntraffic:\n";
        for (const std::string& line : Traffic()) std::cerr << line << "\n";
    }
    camera_.reset();
    std::remove(logPath_.c_str());
}

void MainWindowFixture::StartCamera(const std::vector<std::string>& options)
{
    std::vector<std::string> all = options;
    all.push_back("--log");
    all.push_back(logPath_);
    camera_ = std::make_unique<CamsimProcess>(RV_CAMSIM_EXECUTABLE, 1, all);
    ASSERT_TRUE(camera_->Ok()) << camera_->Error();

    // A window of an earlier start goes before the objects it holds references to.
    parts_.reset();
    window_ = nullptr;
    objects_.reset();
    objects_ = std::make_unique<ToolObjects>(TestHosts());
    objects_->mode.Set(0);
    // The progress window's pause at the end of a read is for the operator's eyes only.
    objects_->progress.SetCloseDelayMs(0);
    parts_ = std::make_unique<ToolParts>(*objects_, TestHosts());
    window_ = &parts_->window;
}

void MainWindowFixture::StartWindow()
{
    ASSERT_TRUE(window_);
    window_->InitDialog();
    parts_->lifecycle.StartUp();
    ASSERT_TRUE(parts_->lifecycle.IsStartedUp());
}

std::vector<std::string> MainWindowFixture::Traffic() const
{
    std::vector<std::string> lines;
    std::ifstream in(logPath_);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

namespace {

// "<date> <time> <direction> <line>"
bool SplitEntry(const std::string& entry, std::string& direction, std::string& line)
{
    const std::size_t first = entry.find(' ');
    const std::size_t second = first == std::string::npos ? first : entry.find(' ', first + 1);
    const std::size_t third = second == std::string::npos ? second : entry.find(' ', second + 1);
    if (third == std::string::npos) return false;
    direction = entry.substr(second + 1, third - second - 1);
    line = entry.substr(third + 1);
    return true;
}

}  // namespace

int MainWindowFixture::CountTraffic(const std::string& direction, const std::string& line) const
{
    int count = 0;
    for (const std::string& entry : Traffic()) {
        std::string d;
        std::string l;
        if (SplitEntry(entry, d, l) && d == direction && l == line) ++count;
    }
    return count;
}

int MainWindowFixture::CountReceivedStartingWith(const std::string& prefix) const
{
    int count = 0;
    for (const std::string& entry : Traffic()) {
        std::string d;
        std::string l;
        if (SplitEntry(entry, d, l) && d == "RX" && l.rfind(prefix, 0) == 0) ++count;
    }
    return count;
}

void MainWindowFixture::Choose(int comboId, int index)
{
    auto* combo = qobject_cast<QComboBox*>(FindPageControl(comboId));
    ASSERT_NE(combo, nullptr) << comboId;
    {
        const QSignalBlocker blocker(combo);
        combo->setCurrentIndex(index);
    }
    parts_->handlers.OnComboChanged(comboId);
}

bool MainWindowFixture::RunUntil(const std::function<bool()>& condition, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    QTimer wake;  // the event loop looks at the condition at least this often
    wake.start(20);
    while (!condition() && clock.elapsed() < timeoutMs) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return condition();
}
