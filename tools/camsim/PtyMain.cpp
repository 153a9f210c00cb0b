// rv8200xc-camsim: the simulated camera on a pseudo-terminal.
#include "camsim/CamsimOptions.h"
#include "camsim/PtyCamera.h"
#include "camsim/TrafficLog.h"

#include <rv_build_version.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::atomic<bool> gStop{false};

extern "C" void OnStopSignal(int) { gStop.store(true); }

}  // namespace

int main(int argc, char** argv)
{
    using namespace camsim;
    CamsimOptions options;
    std::string error;
    if (!CamsimOptions::Parse(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::fprintf(stderr, "rv8200xc-camsim: %s\n", error.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(CamsimOptions::Usage().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::puts("rv8200xc-camsim " RV_VERSION_TEXT);
        return 0;
    }

    TrafficLog log;
    if (!options.logPath.empty() && !log.Open(options.logPath, error)) {
        std::fprintf(stderr, "rv8200xc-camsim: %s\n", error.c_str());
        return 1;
    }
    CameraModel camera(options.camera);
    InProcessLink link(camera);
    link.SetTrafficSink([&log](InProcessLink::Traffic kind, std::string_view line) { log.Record(kind, line); });
    PtyCamera pty(link);
    if (!pty.Open(options.linkPath, error)) {
        std::fprintf(stderr, "rv8200xc-camsim: %s\n", error.c_str());
        return 1;
    }

    // No SA_RESTART: the signal interrupts poll() so the loop sees the flag at once.
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    std::printf("%s\n", pty.SlavePath().c_str());
    std::fflush(stdout);
    if (!pty.Run(gStop, error)) {
        std::fprintf(stderr, "rv8200xc-camsim: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
