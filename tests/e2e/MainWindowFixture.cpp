// The main window against the simulated camera.
#include "e2e/MainWindowFixture.h"

#include "support/TestHosts.h"
#include "pages/PageControls.h"

#include "camsim/CamsimOptions.h"
#include "link/SerialLink.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalBlocker>
#include <QTimer>

#include <csignal>
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
    if (HasFailure() && (camera_ || inProcess_)) {
        if (camera_) std::cerr << "camera log:\n" << camera_->Log() << "\n";
        std::cerr << "traffic:\n";
        for (const std::string& line : Traffic()) std::cerr << line << "\n";
    }
    DropRun();
    std::remove(logPath_.c_str());
}

void MainWindowFixture::StartCamera(const std::vector<std::string>& options)
{
    camsim::CamsimOptions parsed;
    std::string error;
    ASSERT_EQ(camsim::CamsimOptions::Parse(options, parsed, error), 1) << error;
    DropRun();
    configHome_ = std::make_unique<TempConfigHome>();
    inProcess_ = std::make_unique<InProcessCamera>(parsed.camera, &clock_);
    MakeObjects([this](int mode) -> ClSerialKind* { return mode == kLinkCl2000 ? inProcess_.get() : nullptr; });
    objects_->link.SetClock(&clock_);
    // The camera's channel becomes the link's current one, as if chosen in the communication dialog.
    objects_->link.Open(kLinkCl2000, 9600, 0);
    objects_->link.Close();
}

void MainWindowFixture::StartCameraProcess(const std::vector<std::string>& options)
{
    std::vector<std::string> all = options;
    all.push_back("--log");
    all.push_back(logPath_);
    DropRun();
    camera_ = std::make_unique<CamsimProcess>(RV_CAMSIM_EXECUTABLE, 1, all);
    ASSERT_TRUE(camera_->Ok()) << camera_->Error();
    MakeObjects(&GetClSerialKind);
}

void MainWindowFixture::DropRun()
{
    // A window of an earlier start goes before the objects it holds references to, and they before their camera.
    parts_.reset();
    window_ = nullptr;
    objects_.reset();
    inProcess_.reset();
    configHome_.reset();
    camera_.reset();
}

void MainWindowFixture::MakeObjects(SerialLink::KindLookup kinds)
{
    objects_ = std::make_unique<ToolObjects>(TestHosts(), std::move(kinds));
    objects_->mode.Set(0);
    // The progress window's pause at the end of a read is for the operator's eyes only.
    objects_->progress.SetCloseDelayMs(0);
    parts_ = std::make_unique<ToolParts>(*objects_, TestHosts());
    window_ = &parts_->window;
}

int MainWindowFixture::OpenLink() { return objects_->link.Open(inProcess_ ? kLinkCl2000 : kLinkComPort, 9600, 0); }

void MainWindowFixture::ArmFaults()
{
    if (inProcess_) {
        inProcess_->ArmFaults();
        return;
    }
    const std::string log = camera_->Log();
    int armed = 0;
    for (std::size_t at = log.find("faults armed"); at != std::string::npos; at = log.find("faults armed", at + 1))
        ++armed;
    ASSERT_TRUE(camera_->Signal(SIGUSR2));
    ASSERT_TRUE(camera_->WaitForLog("faults armed", armed + 1, 2000));
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
    if (inProcess_) return inProcess_->Traffic();
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
