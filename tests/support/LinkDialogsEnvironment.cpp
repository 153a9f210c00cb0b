// The simulated camera and the Qt application shared by the link dialog tests.
#include "support/LinkDialogsEnvironment.h"
#include "support/FileText.h"

#include "app/ToolObjects.h"
#include "framework/qt/QtTimerService.h"
#include "link/SerialLink.h"
#include "support/CamsimProcess.h"
#include "support/TestHosts.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

#include <unistd.h>

namespace {

constexpr int kCameraRate = 115200;

std::unique_ptr<CamsimProcess> g_camera;
std::unique_ptr<ToolObjects> g_objects;
std::string g_trafficLog;

class LinkDialogsEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        // First of all: the camera sets XDG_CONFIG_HOME to its own fresh folder, so the settings store and
        // "COM1" of this run are private to it, and the previous run counts as not ended normally.
        g_trafficLog = TestFolder("camera") + "/traffic.log";
        g_camera = std::make_unique<CamsimProcess>(RV_CAMSIM_EXECUTABLE, 1,
                                                   std::vector<std::string>{"--speed", "16", "--log", g_trafficLog});
        static int argc = 1;
        static char name[] = "rv-link-dialog-tests";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
        timers_ = std::make_unique<QtTimerService>();
        timersInstalled_ = std::make_unique<ScopedTimerService>(*timers_);
        g_objects = std::make_unique<ToolObjects>(TestHosts());
        g_objects->progress.SetCloseDelayMs(0);
    }

    void TearDown() override
    {
        g_objects->link.Close();
        g_objects.reset();
        timersInstalled_.reset();
        timers_.reset();
        app_.reset();
        g_camera.reset();
        std::error_code ignored;
        std::filesystem::remove_all(
            std::filesystem::path(BuildFolder()) / "link-dialog-files" / std::to_string(::getpid()), ignored);
    }

private:
    std::unique_ptr<QApplication> app_;
    std::unique_ptr<QtTimerService> timers_;
    std::unique_ptr<ScopedTimerService> timersInstalled_;
};

[[maybe_unused]] ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new LinkDialogsEnvironment);

}  // namespace

CamsimProcess* TestCamera() { return g_camera && g_camera->Ok() ? g_camera.get() : nullptr; }

std::string TestCameraTraffic() { return ReadText(g_trafficLog); }

ToolObjects& TestObjects() { return *g_objects; }

bool TestCameraLogged(const std::string& text)
{
    return WaitForText(
        g_trafficLog, [&](const std::string& log) { return log.find(text) != std::string::npos; }, 2000);
}

bool OpenTestCameraLink() { return TestCamera() != nullptr && g_objects->link.Open(kLinkComPort, kCameraRate, 0) == 1; }

std::string BuildFolder()
{
    const char* binary = std::getenv("RV_BINARY_DIR");
    return binary && *binary ? binary : RV_TEST_BINARY_DIR;
}

std::string TestFolder(const std::string& name)
{
    // One folder per test process: ctest runs several of them at once, each with a camera and log of its own.
    std::filesystem::path folder =
        std::filesystem::path(BuildFolder()) / "link-dialog-files" / std::to_string(::getpid()) / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string();
}
