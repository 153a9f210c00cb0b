// The identity dialogs' test bench: a simulated camera in this process on the manual clock, the recording
// message and shell hosts, and a control mode, model record and control table of each test's own.
#pragma once

#include "support/InProcessCamera.h"
#include "support/RecordingMessageHost.h"
#include "support/RecordingShellHost.h"
#include "support/SteppedLineTime.h"

#include "settings/ControlMode.h"
#include "settings/RegistrySettings.h"
#include "tables/CameraModelInfo.h"
#include "tables/ControlTable.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

class IdentityFixture : public ::testing::Test {
protected:
    void SetUp() override { mode_.Set(0); }
    void TearDown() override { camera_.reset(); }

    void StartCamera(const camsim::CameraConfig& config = {})
    {
        camera_ = std::make_unique<InProcessCamera>(config, &clock_);
    }
    Command& GetCommand() { return camera_->GetCommand(); }
    std::vector<std::string> Received() const { return camera_->Received(); }
    // The last message box's text, or "" when none was shown.
    std::string LastMessage() const { return messages_.Shown().empty() ? std::string() : messages_.Texts().back(); }

    RecordingMessageHost messages_;
    RecordingShellHost shell_;
    RegistrySettings settings_;
    ControlMode mode_{settings_};
    CameraModelInfo model_;
    ControlTable table_;
    SteppedLineTime clock_;  // the camera's line and its link: time-outs pass at once
    std::unique_ptr<InProcessCamera> camera_;
};

// A fresh folder made the working folder for the test's lifetime, for the help documents.
class WorkingFolder {
public:
    WorkingFolder() : previous_(std::filesystem::current_path())
    {
        const char* binary = std::getenv("RV_BINARY_DIR");
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        folder_ = std::filesystem::path(binary ? binary : std::filesystem::temp_directory_path().string()) /
                  "test-files" / ("about-" + std::to_string(stamp));
        std::filesystem::create_directories(folder_);
        std::filesystem::current_path(folder_);
    }
    ~WorkingFolder()
    {
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    void Touch(const std::string& name) const { std::ofstream(folder_ / name) << "%PDF-1.4\n"; }

private:
    std::filesystem::path previous_;
    std::filesystem::path folder_;
};
