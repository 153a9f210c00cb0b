// The reader's test bench.
#include "support/TestHosts.h"
#include "support/ReaderFixture.h"

#include "dialogs/CProgressBarDialog.h"
#include "dialogs/ProgressWindow.h"
#include "settings/ControlMode.h"

#include <QCoreApplication>

#include <cstdlib>
#include <iostream>

namespace {
constexpr int kPortIndex = 4;  // "COM5"
}

PumpRecorder::PumpRecorder() : previous_(SetUiHost(this)) {}

PumpRecorder::~PumpRecorder() { SetUiHost(previous_); }

void PumpRecorder::PumpMessages(bool paintOnly)
{
    if (!paintOnly) {
        positions.push_back(progress ? progress->Position() : -1);
        if (onPump) onPump();
    }
    QCoreApplication::processEvents(paintOnly ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents);
}

void ReaderFixture::SetUp()
{
    PagesFixture::SetUp();
    SetFactoryMode(0);
    progressDialog_.SetCloseDelayMs(0);
    pump_.progress = &progressDialog_;
    for (const auto& page : pages_) page->show();
    mainWindow_ = std::make_unique<QWidget>();
    mainWindow_->show();

    LinkSettings settings;
    settings.comPortIndex = kPortIndex;
    link_ = std::make_unique<SerialLink>(
        settings, port_, [](int) -> ClSerialKind* { return nullptr; }, nullptr);
    link_->SetTerminalSink(&terminal_);
    command_ = std::make_unique<Command>(*link_, TestHosts());
    reader_ = std::make_unique<CameraReader>(*command_, table_, model_, mode_, TestHosts());
    reader_->SetPages(&binding_);
    reader_->SetMainWindow(mainWindow_.get());
    reader_->SetLutEditors(&hooks_);
    reader_->SetLineRateDisplay(&hooks_);
    progress_ = std::make_unique<ProgressWindow>(progressDialog_, mainWindow_.get());
    reader_->SetProgress(progress_.get());
}

void ReaderFixture::TearDown()
{
    reader_.reset();
    command_.reset();
    link_.reset();
    port_.Close();
    if (HasFailure() && camera_) std::cerr << "camera log:\n" << camera_->Log() << "\n";
    camera_.reset();
    mainWindow_.reset();
    PagesFixture::TearDown();
}

void ReaderFixture::StartCamera(const std::vector<std::string>& options)
{
    // The camera's folder stands in for the settings folder only while the port is opened, so the
    // settings the tool writes at exit do not go into a folder that is gone by then.
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const std::string savedXdg = xdg ? xdg : "";
    camera_ = std::make_unique<CamsimProcess>(RV_CAMSIM_EXECUTABLE, kPortIndex + 1, options);
    ASSERT_TRUE(camera_->Ok()) << camera_->Error();
    const int opened = link_->ReopenCurrent();
    if (xdg)
        ::setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
    ASSERT_EQ(opened, 1) << ::testing::PrintToString(host_.Texts());
    ClearTraffic();
}

std::vector<std::string> ReaderFixture::Queries() const
{
    std::vector<std::string> queries;
    for (const std::string& line : terminal_.lines) {
        if (line.rfind("Tx: ", 0) == 0 && line.back() == '?') queries.push_back(line.substr(4));
    }
    return queries;
}

std::vector<std::string> ReaderFixture::Settings() const
{
    std::vector<std::string> settings;
    for (const std::string& line : terminal_.lines) {
        if (line.rfind("Tx: ", 0) == 0 && line.find('=') != std::string::npos) settings.push_back(line.substr(4));
    }
    return settings;
}

QWidget* ReaderFixture::Control(int controlId) const
{
    QWidget* control = FindPageControl(controlId);
    EXPECT_NE(control, nullptr) << controlId;
    return control;
}

QComboBox* ReaderFixture::Combo(int controlId) const { return qobject_cast<QComboBox*>(Control(controlId)); }

bool ReaderFixture::Shown(int controlId) const
{
    QWidget* control = Control(controlId);
    return control && control->isVisible();
}

bool ReaderFixture::Enabled(int controlId) const
{
    QWidget* control = Control(controlId);
    return control && control->isEnabled();
}

void ReaderFixture::Select(int controlId, int index) const
{
    if (QComboBox* combo = Combo(controlId)) combo->setCurrentIndex(index);
}

void ReaderFixture::UseModel(int modelCode, const std::string& name)
{
    model_.modelCode = modelCode;
    model_.modelName = name;
}

void ReaderFixture::SetFactoryMode(int mode) { mode_.Set(mode); }
