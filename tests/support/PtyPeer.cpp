// Pseudo-terminal peer for serial tests.
#include "support/PtyPeer.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

PtyPeer::PtyPeer(int portNumber)
{
    if (!folder_.Ok()) return;
    configHome_ = folder_.Path().string();
    home_ = std::make_unique<ScopedEnv>("XDG_CONFIG_HOME", configHome_);
    int master = -1;
    int slave = -1;
    char name[256];
    if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) return;
    termios t{};
    ::tcgetattr(slave, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(slave, TCSANOW, &t);
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    slavePath_ = name;
    const std::filesystem::path devices = folder_.Path() / "orvane" / "dosdevices";
    std::filesystem::create_directories(devices);
    std::filesystem::create_symlink(slavePath_, devices / ("com" + std::to_string(portNumber)));
    master_ = master;
    slaveKeep_ = slave;
}

PtyPeer::~PtyPeer()
{
    if (master_ >= 0) ::close(master_);
    if (slaveKeep_ >= 0) ::close(slaveKeep_);
}

bool PtyPeer::Send(const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        pollfd p{master_, POLLOUT, 0};
        if (::poll(&p, 1, 2000) <= 0) return false;
    }
    return true;
}

int PtyPeer::PendingForPort() const
{
    int count = 0;
    return slaveKeep_ >= 0 && ::ioctl(slaveKeep_, FIONREAD, &count) == 0 ? count : -1;
}

std::string PtyPeer::Receive(std::size_t count, int timeoutMs)
{
    std::string got;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (got.size() < count) {
        char buffer[4096];
        const ssize_t n = ::read(master_, buffer, std::min(sizeof buffer, count - got.size()));
        if (n > 0) {
            got.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd p{master_, POLLIN, 0};
        ::poll(&p, 1, static_cast<int>(left.count()));
    }
    return got;
}

std::string PtyPeer::ReceiveAll(int quietMs)
{
    std::string got;
    while (true) {
        pollfd p{master_, POLLIN, 0};
        if (::poll(&p, 1, quietMs) <= 0) break;
        char buffer[4096];
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0) break;
        got.append(buffer, static_cast<std::size_t>(n));
    }
    return got;
}
