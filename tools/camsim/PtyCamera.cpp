// Pseudo-terminal plumbing of the simulated camera.
#include "camsim/PtyCamera.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace camsim {
namespace {

constexpr int kIdlePollMs = 20;  // how often the stop flag is looked at when nothing happens

std::string SystemError(const std::string& what) { return what + ": " + std::strerror(errno); }

// Creates the folders above path that do not exist yet (the tool's port folder often does not at first).
void MakeParentFolders(const std::string& path)
{
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) return;
    }
}

int RateOfSpeed(speed_t speed)
{
    switch (speed) {
        case B9600:
            return 9600;
        case B19200:
            return 19200;
        case B38400:
            return 38400;
        case B57600:
            return 57600;
        case B115200:
            return 115200;
        default:
            return 0;
    }
}

}  // namespace

PtyCamera::PtyCamera(InProcessLink& link) : link_(link) {}

PtyCamera::~PtyCamera() { Close(); }

void PtyCamera::Close()
{
    if (!linkPath_.empty()) {
        // Remove the symlink only while it is still ours; someone may have replaced it meanwhile.
        char target[4096];
        const ssize_t length = readlink(linkPath_.c_str(), target, sizeof target - 1);
        if (length > 0 && std::string(target, static_cast<std::size_t>(length)) == slavePath_) {
            unlink(linkPath_.c_str());
        }
        linkPath_.clear();
    }
    if (slave_ >= 0) close(slave_);
    if (master_ >= 0) close(master_);
    slave_ = master_ = -1;
}

int PtyCamera::Open(const std::string& linkPath, std::string& error)
{
    hungUp_ = false;
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) {
        error = SystemError("cannot create a pseudo-terminal");
        return 0;
    }
    if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
        error = SystemError("cannot unlock the pseudo-terminal");
        Close();
        return 0;
    }
    const char* name = ptsname(master_);
    if (!name) {
        error = SystemError("cannot name the pseudo-terminal");
        Close();
        return 0;
    }
    slavePath_ = name;
    slave_ = open(slavePath_.c_str(), O_RDWR | O_NOCTTY);
    if (slave_ < 0) {
        error = SystemError("cannot open " + slavePath_);
        Close();
        return 0;
    }
    // Raw both ways: no echo of the PC's bytes, no CR/LF translation. The speed stays the pty's default
    // until the PC sets its own.
    termios settings{};
    if (tcgetattr(slave_, &settings) == 0) {
        cfmakeraw(&settings);
        tcsetattr(slave_, TCSANOW, &settings);
    }
    const int flags = fcntl(master_, F_GETFL);
    fcntl(master_, F_SETFL, flags | O_NONBLOCK);

    if (!linkPath.empty()) {
        MakeParentFolders(linkPath);
        struct stat info {};
        if (lstat(linkPath.c_str(), &info) == 0) {
            if (S_ISDIR(info.st_mode)) {
                error = linkPath + " is a directory";
                Close();
                return 0;
            }
            unlink(linkPath.c_str());
        }
        if (symlink(slavePath_.c_str(), linkPath.c_str()) != 0) {
            error = SystemError("cannot create the link " + linkPath);
            Close();
            return 0;
        }
        linkPath_ = linkPath;
    }
    return 1;
}

int PtyCamera::PcBaudRate() const
{
    termios settings{};
    if (slave_ < 0 || tcgetattr(slave_, &settings) != 0) return 0;
    return RateOfSpeed(cfgetospeed(&settings));
}

int PtyCamera::Run(const std::atomic<bool>& stop, std::string& error)
{
    std::vector<std::uint8_t> pending;  // answer bytes the master could not take yet
    std::vector<std::uint8_t> buffer(4096);
    // The kernel may let a timed wait run up to 50 us long (its default timer slack): at 115200 bit/s
    // that is more than half a byte late on every answer. The simulated line keeps to the byte.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    while (!stop.load()) {
        TakeFaultFlags();
        if (link_.HungUp()) {
            // The PC's side sees a hang-up: its reads fail with EIO, as when a USB adapter is pulled.
            hungUp_ = true;
            Close();
            return 1;
        }
        long long timeoutUs = kIdlePollMs * 1000LL;
        const long long next = link_.MicrosecondsToNextByte();
        if (next >= 0) timeoutUs = std::min(timeoutUs, next);
        pollfd fd{master_, static_cast<short>(POLLIN | (pending.empty() ? 0 : POLLOUT)), 0};
        // ppoll: the wire-time pacing needs waits finer than poll()'s milliseconds.
        const timespec timeout{static_cast<time_t>(timeoutUs / 1000000), static_cast<long>(timeoutUs % 1000000) * 1000};
        const int ready = ppoll(&fd, 1, &timeout, nullptr);
        if (ready < 0) {
            if (errno == EINTR) continue;
            error = SystemError("poll");
            return 0;
        }
        link_.SetPcBaudRate(PcBaudRate());
        if ((fd.revents & POLLIN) && !ReadFromPc(buffer, error)) return 0;
        if (!WriteToPc(pending, error)) return 0;
    }
    return 1;
}

void PtyCamera::TakeFaultFlags()
{
    if (lift_ && lift_->exchange(false)) {
        link_.LiftFaults();
        std::printf("faults lifted\n");
        std::fflush(stdout);
    }
    if (arm_ && arm_->exchange(false)) {
        link_.ArmFaults();
        std::printf("faults armed\n");
        std::fflush(stdout);
    }
}

int PtyCamera::ReadFromPc(std::vector<std::uint8_t>& buffer, std::string& error)
{
    const ssize_t count = read(master_, buffer.data(), buffer.size());
    if (count > 0) {
        link_.Write(buffer.data(), static_cast<std::size_t>(count));
    } else if (count < 0 && errno != EAGAIN && errno != EINTR && errno != EIO) {
        error = SystemError("read from the pseudo-terminal");
        return 0;
    }
    return 1;
}

int PtyCamera::WriteToPc(std::vector<std::uint8_t>& pending, std::string& error)
{
    const std::size_t available = link_.Available();
    if (available > 0) {
        const std::size_t old = pending.size();
        pending.resize(old + available);
        pending.resize(old + link_.Read(pending.data() + old, available, 0));
    }
    if (pending.empty()) return 1;
    const ssize_t written = write(master_, pending.data(), pending.size());
    if (written > 0) {
        pending.erase(pending.begin(), pending.begin() + written);
    } else if (written < 0 && errno != EAGAIN && errno != EINTR) {
        error = SystemError("write to the pseudo-terminal");
        return 0;
    }
    return 1;
}

}  // namespace camsim
