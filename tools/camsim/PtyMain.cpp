// rv8200xc-camsim: the simulated camera on a pseudo-terminal.
#include "camsim/CamsimOptions.h"
#include "camsim/PtyCamera.h"
#include "camsim/TrafficLog.h"

#include <rv_build_version.h>

#include <unistd.h>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::atomic<bool> gStop{false};
std::atomic<bool> gLift{false};
std::atomic<bool> gArm{false};

extern "C" void OnStopSignal(int) { gStop.store(true); }
extern "C" void OnLiftSignal(int) { gLift.store(true); }
extern "C" void OnArmSignal(int) { gArm.store(true); }

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
    // The handlers come before the link: a parent that sees the link (or the announcement) may signal at once.
    // No SA_RESTART: the signal interrupts poll() so the loop sees the flag at once.
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    struct sigaction lift {};
    lift.sa_handler = OnLiftSignal;
    sigemptyset(&lift.sa_mask);
    sigaction(SIGUSR1, &lift, nullptr);
    lift.sa_handler = OnArmSignal;
    sigaction(SIGUSR2, &lift, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    PtyCamera pty(link);
    pty.SetFaultFlags(&gArm, &gLift);
    if (!pty.Open(options.linkPath, error)) {
        std::fprintf(stderr, "rv8200xc-camsim: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", pty.SlavePath().c_str());
    std::fflush(stdout);
    if (options.readyFd >= 0) {
        const std::string announcement = pty.SlavePath() + "\n";
        [[maybe_unused]] const ssize_t written = write(options.readyFd, announcement.data(), announcement.size());
        close(options.readyFd);
    }
    while (true) {
        if (!pty.Run(gStop, error)) {
            std::fprintf(stderr, "rv8200xc-camsim: %s\n", error.c_str());
            return 1;
        }
        if (gStop.load() || !pty.HungUp()) return 0;
        // The terminal is gone until the fault is lifted; then a new one appears behind the same link.
        std::printf("hung up\n");
        std::fflush(stdout);
        while (!gStop.load() && !gLift.load()) usleep(10000);  // a short sleep, not pause(): no lost wake-up
        if (gStop.load()) return 0;
        gLift.store(false);
        link.LiftFaults();
        std::printf("faults lifted\n");
        if (!pty.Open(options.linkPath, error)) {
            std::fprintf(stderr, "rv8200xc-camsim: %s\n", error.c_str());
            return 1;
        }
        std::printf("%s\n", pty.SlavePath().c_str());
        std::fflush(stdout);
    }
}
