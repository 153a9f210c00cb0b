// Starting and stopping the simulated camera process.
#include "support/CamsimProcess.h"

#include "support/FileText.h"

#include <filesystem>

namespace {

constexpr int kReadyFd = 3;

}  // namespace

CamsimProcess::CamsimProcess(const std::string& executable, int portNumber, const std::vector<std::string>& options)
{
    if (!folder_.Ok()) {
        error_ = "no temporary folder";
        return;
    }
    configHome_ = std::make_unique<ScopedEnv>("XDG_CONFIG_HOME", folder_.Path().string());
    const std::filesystem::path devices = folder_.Path() / "orvane" / "dosdevices";
    std::filesystem::create_directories(devices);
    linkPath_ = (devices / ("com" + std::to_string(portNumber))).string();
    logPath_ = folder_.File("camsim.log");

    TestProcess::Launch launch;
    launch.argv = {executable, "--link", linkPath_, "--ready-fd", std::to_string(kReadyFd)};
    launch.argv.insert(launch.argv.end(), options.begin(), options.end());
    launch.outPath = logPath_;
    launch.readyFd = kReadyFd;
    if (!process_.Start(launch)) {
        error_ = "cannot start " + executable + ": " + process_.Error();
        return;
    }
    std::string slave;
    ready_ = process_.WaitReady(10000, slave);
    if (!ready_) error_ = "the simulated camera did not come up: " + Log();
}

CamsimProcess::~CamsimProcess() { process_.Stop(); }

std::string CamsimProcess::Log() const { return ReadText(logPath_); }

bool CamsimProcess::WaitForLog(const std::string& text, int count, int timeoutMs)
{
    return WaitForText(
        logPath_, [&](const std::string& log) { return CountInText(log, text) >= count; }, timeoutMs);
}
