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

int Fail(const std::string& error)
{
    std::fprintf(stderr, "rv8200xc-camsim: %s\n", error.c_str());
    return 1;
}

// No SA_RESTART: the signal interrupts poll() so the loop sees the flag at once.
void InstallSignalHandlers()
{
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
}

// The terminal's path on standard output, and once on the ready descriptor for a parent that waits for it.
void Announce(const camsim::PtyCamera& pty, int readyFd)
{
    std::printf("%s\n", pty.SlavePath().c_str());
    std::fflush(stdout);
    if (readyFd >= 0) {
        const std::string announcement = pty.SlavePath() + "\n";
        [[maybe_unused]] const ssize_t written = write(readyFd, announcement.data(), announcement.size());
        close(readyFd);
    }
}

// Serves the PC until stopped. A hung-up terminal is gone until the fault is lifted; then a new one
// appears behind the same link.
int Serve(camsim::PtyCamera& pty, camsim::InProcessLink& link, const std::string& linkPath)
{
    std::string error;
    while (true) {
        if (!pty.Run(gStop, error)) return Fail(error);
        if (gStop.load() || !pty.HungUp()) return 0;
        std::printf("hung up\n");
        std::fflush(stdout);
        while (!gStop.load() && !gLift.load()) usleep(10000);  // a short sleep, not pause(): no lost wake-up
        if (gStop.load()) return 0;
        gLift.store(false);
        link.LiftFaults();
        std::printf("faults lifted\n");
        if (!pty.Open(linkPath, error)) return Fail(error);
        Announce(pty, -1);
    }
}

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
    if (!options.logPath.empty() && !log.Open(options.logPath, error)) return Fail(error);
    CameraModel camera(options.camera);
    InProcessLink link(camera);
    link.SetTrafficSink([&log](InProcessLink::Traffic kind, std::string_view line) { log.Record(kind, line); });
    // The handlers come before the link: a parent that sees the link (or the announcement) may signal at once.
    InstallSignalHandlers();
    PtyCamera pty(link);
    pty.SetFaultFlags(&gArm, &gLift);
    if (!pty.Open(options.linkPath, error)) return Fail(error);
    Announce(pty, options.readyFd);
    return Serve(pty, link, options.linkPath);
}
