// The reader's test bench.
#include "support/ReaderFixture.h"

#include "camsim/CamsimOptions.h"
#include "dialogs/CProgressBarDialog.h"
#include "dialogs/ProgressWindow.h"
#include "settings/ControlMode.h"
#include "support/TestHosts.h"

#include <QCoreApplication>

#include <cstdlib>
#include <iostream>

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

    link_ = std::make_unique<SerialLink>(
        LinkSettings{}, port_,
        [this](int mode) -> ClSerialKind* { return mode == kLinkCl2000 ? camera_.get() : nullptr; }, nullptr);
    link_->SetClock(&clock_);
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
    if (HasFailure() && camera_)
        std::cerr << "camera received:\n" << ::testing::PrintToString(camera_->Received()) << "\n";
    camera_.reset();
    mainWindow_.reset();
    PagesFixture::TearDown();
}

void ReaderFixture::StartCamera(const std::vector<std::string>& options)
{
    camsim::CamsimOptions parsed;
    std::string error;
    ASSERT_EQ(camsim::CamsimOptions::Parse(options, parsed, error), 1) << error;
    link_->Close();
    camera_ = std::make_unique<InProcessCamera>(parsed.camera, &clock_);
    ASSERT_EQ(link_->Open(kLinkCl2000, camsim::BaudRateOfCode(parsed.camera.baudCode), 0), 1)
        << ::testing::PrintToString(host_.Texts());
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
