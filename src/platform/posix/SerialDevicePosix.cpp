// Serial ports over termios, including the pseudo-terminals the simulated camera uses.
#include "platform/SerialDevice.h"

#include "platform/SerialPortDiscovery.h"

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#if defined(__linux__)
#include <linux/serial.h>
#endif

namespace {

struct SpeedCode {
    int rate;
    speed_t code;
};

constexpr SpeedCode kSpeeds[] = {
    {1200, B1200},   {2400, B2400},   {4800, B4800},     {9600, B9600},     {19200, B19200},
    {38400, B38400}, {57600, B57600}, {115200, B115200}, {230400, B230400},
};

bool SpeedCodeOf(int rate, speed_t& code)
{
    for (const SpeedCode& s : kSpeeds) {
        if (s.rate == rate) {
            code = s.code;
            return true;
        }
    }
    return false;
}

int RateOf(speed_t code)
{
    for (const SpeedCode& s : kSpeeds) {
        if (s.code == code) return s.rate;
    }
    return 0;
}

void CloseFd(int& fd)
{
    if (fd >= 0) ::close(fd);
    fd = -1;
}

SerialOpenFailure FailureOf(int error)
{
    switch (error) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
        case ENOTDIR:
        case ELOOP:
        case EIO:  // an on-board name whose UART is not there
            return SerialOpenFailure::Missing;
        case EACCES:
        case EPERM:
        case EROFS:
            return SerialOpenFailure::Permission;
        case EBUSY:
        case EWOULDBLOCK:
            return SerialOpenFailure::Busy;
        default:
            return SerialOpenFailure::Other;
    }
}

SerialDevice::OpenOverride& OpenOverrideFunction()
{
    static SerialDevice::OpenOverride function;
    return function;
}

int RemainingMs(std::chrono::steady_clock::time_point deadline)
{
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

struct SerialDevice::Impl {
    int fd = -1;
    int wakeRead = -1;  // the wake-up pipe: WakeUp writes a byte, the reader's poll sees it
    int wakeWrite = -1;
    int writeTimeoutMs = 20000;
    termios saved{};  // the driver's settings as last read by GetLineSettings
    bool haveSaved = false;
    bool hungUp = false;  // the last wait saw the line hang up (reader thread only)
    bool lowLatencySet = false;  // this device turned the driver's low latency on; Close turns it off again
    SerialOpenFailure failure = SerialOpenFailure::None;
    std::string path;
};

SerialDevice::SerialDevice() : impl_(std::make_unique<Impl>()) {}

SerialDevice::~SerialDevice() { Close(); }

std::string SerialDevice::DevicePath(const std::string& portName)
{
    // "COMn" is looked up as Wine does: a symlink named comn in the dosdevices folder of the tool's
    // configuration, else the n-th native port.
    std::string lower;
    for (char c : portName) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower.size() < 4 || lower.compare(0, 3, "com") != 0) return portName;
    for (std::size_t i = 3; i < lower.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(lower[i]))) return portName;
    }
    const int number = std::atoi(lower.c_str() + 3);
    if (number < 1) return portName;

    if (const std::string folder = SerialPortDiscovery::LinkFolder(); !folder.empty()) {
        const std::string link = folder + "/com" + std::to_string(number);
        // A dangling link still names the port: opening it fails rather than reaching some other port.
        struct stat info {};
        if (::lstat(link.c_str(), &info) == 0) return link;
    }
    return "/dev/ttyS" + std::to_string(number - 1);
}

std::string SerialDevice::LeadsTo(const std::string& portName)
{
    const std::string path = DevicePath(portName);
    char target[4096];
    const ssize_t length = ::readlink(path.c_str(), target, sizeof target - 1);
    if (length <= 0 || path == portName) return path;
    std::string leads(target, static_cast<std::size_t>(length));
    if (leads.front() != '/') leads = path.substr(0, path.rfind('/') + 1) + leads;
    return leads;
}

std::string SerialDevice::AccessGroup(const std::string& devicePath)
{
    // Debian and its kin give serial devices to "dialout", other systems to "uucp" or "serial".
    struct stat info {};
    if (::stat(devicePath.c_str(), &info) == 0 && (info.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP) &&
        info.st_gid != 0) {
        group entry{};
        group* found = nullptr;
        char buffer[1024];
        if (::getgrgid_r(info.st_gid, &entry, buffer, sizeof buffer, &found) == 0 && found) return found->gr_name;
    }
    return "dialout";
}

void SerialDevice::SetOpenOverride(OpenOverride override) { OpenOverrideFunction() = std::move(override); }

SerialOpenFailure SerialDevice::LastOpenFailure() const { return impl_->failure; }

int SerialDevice::Open(const std::string& portName)
{
    Close();
    const std::string path = DevicePath(portName);
    auto fail = [this](SerialOpenFailure failure, int& fd) {
        CloseFd(fd);
        impl_->failure = failure;
        return 0;
    };
    int fd = -1;
    if (const OpenOverride& override = OpenOverrideFunction(); override) {
        if (const SerialOpenFailure failure = override(path); failure != SerialOpenFailure::None) {
            return fail(failure, fd);
        }
    }
    fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return fail(FailureOf(errno), fd);
    if (!::isatty(fd)) return fail(SerialOpenFailure::NotSerial, fd);
    // TIOCEXCL refuses further opens of the device by other programs, but not to root and not on every
    // device kind; the advisory lock also catches a second copy of this tool in those cases.
    if (::ioctl(fd, TIOCEXCL) != 0) return fail(FailureOf(errno), fd);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) return fail(FailureOf(errno), fd);
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) return fail(SerialOpenFailure::Other, fd);
    impl_->failure = SerialOpenFailure::None;
    impl_->fd = fd;
    impl_->wakeRead = pipeFds[0];
    impl_->wakeWrite = pipeFds[1];
    impl_->haveSaved = false;
    impl_->hungUp = false;
    impl_->path = path;
    return 1;
}

bool SerialDevice::IsOpen() const { return impl_->fd >= 0; }

const std::string& SerialDevice::OpenPath() const { return impl_->path; }

SerialPresence SerialDevice::Presence(const std::string& devicePath)
{
    // A pulled USB adapter takes its device node along (and a dosdevices link then dangles): nothing to
    // open until it is back.
    struct stat info {};
    if (devicePath.empty() || ::stat(devicePath.c_str(), &info) != 0 || !S_ISCHR(info.st_mode)) {
        return SerialPresence::Absent;
    }
    // Whether someone holds it shows only in an open: TIOCEXCL refuses it (EBUSY), another copy of this
    // tool holds the lock. Anything else (a node whose permissions are not set up yet) counts as not back.
    const int fd = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == EBUSY ? SerialPresence::InUse : SerialPresence::Absent;
    const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    if (!locked) ::flock(fd, LOCK_UN);
    ::close(fd);
    return locked ? SerialPresence::InUse : SerialPresence::Free;
}

// Event masks and driver queue sizes have no counterpart in termios: poll() always reports input,
// and the kernel sizes its own buffers.
int SerialDevice::SetReceiveEventMask() { return IsOpen() ? 1 : 0; }

int SerialDevice::SetQueueSizes(int inputBytes, int outputBytes)
{
    return IsOpen() && inputBytes > 0 && outputBytes > 0 ? 1 : 0;
}

int SerialDevice::SetTimeouts(int writeTimeoutMs)
{
    if (!IsOpen() || writeTimeoutMs < 0) return 0;
    impl_->writeTimeoutMs = writeTimeoutMs;
    return 1;
}

int SerialDevice::GetLineSettings(SerialLineSettings& settings)
{
    if (!IsOpen() || ::tcgetattr(impl_->fd, &impl_->saved) != 0) return 0;
    impl_->haveSaved = true;
    settings.baudRate = RateOf(::cfgetospeed(&impl_->saved));
    switch (impl_->saved.c_cflag & CSIZE) {
        case CS5:
            settings.dataBits = 5;
            break;
        case CS6:
            settings.dataBits = 6;
            break;
        case CS7:
            settings.dataBits = 7;
            break;
        default:
            settings.dataBits = 8;
            break;
    }
    settings.stopBits = (impl_->saved.c_cflag & CSTOPB) ? 2 : 0;
    settings.softwareFlow = (impl_->saved.c_iflag & (IXON | IXOFF)) != 0;
    settings.parityCheck = (impl_->saved.c_iflag & INPCK) != 0;
    return 1;
}

int SerialDevice::SetLineSettings(const SerialLineSettings& settings)
{
    if (!IsOpen() || !impl_->haveSaved) return 0;
    speed_t speed;
    if (!SpeedCodeOf(settings.baudRate, speed)) return 0;
    termios t = impl_->saved;
    // Raw binary bytes: no line editing, echo, signals or character translation.
    t.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF |
                                        IXANY | INPCK);
    t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    // CLOCAL: the modem lines do not gate the port (the camera drives none of them).
    t.c_cflag |= CREAD | CLOCAL;
    switch (settings.dataBits) {
        case 5:
            t.c_cflag |= CS5;
            break;
        case 6:
            t.c_cflag |= CS6;
            break;
        case 7:
            t.c_cflag |= CS7;
            break;
        case 8:
            t.c_cflag |= CS8;
            break;
        default:
            return 0;
    }
    if (settings.stopBits == 2) t.c_cflag |= CSTOPB;
    if (settings.softwareFlow) t.c_iflag |= IXON | IXOFF;
    if (settings.parityCheck) t.c_iflag |= INPCK;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    if (::cfsetispeed(&t, speed) != 0 || ::cfsetospeed(&t, speed) != 0) return 0;
    if (::tcsetattr(impl_->fd, TCSANOW, &t) != 0) return 0;
    impl_->saved = t;
    return 1;
}

namespace {

int SetModemLine(int fd, int line, bool on)
{
    if (fd < 0) return 0;
    return ::ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line) == 0 ? 1 : 0;
}

}  // namespace

int SerialDevice::SetDtr(bool on) { return SetModemLine(impl_->fd, TIOCM_DTR, on); }

int SerialDevice::SetRts(bool on) { return SetModemLine(impl_->fd, TIOCM_RTS, on); }

SerialLowLatency SerialDevice::RequestLowLatency()
{
#if defined(__linux__)
    // The serial-driver settings of Linux; USB adapter drivers (ftdi_sio and others) shorten their latency
    // timer for this flag. Drivers without them (pseudo-terminals) refuse the ioctl.
    serial_struct serial{};
    if (!IsOpen() || ::ioctl(impl_->fd, TIOCGSERIAL, &serial) != 0) return SerialLowLatency::Refused;
    if (serial.flags & ASYNC_LOW_LATENCY) return SerialLowLatency::On;
    serial.flags |= ASYNC_LOW_LATENCY;
    if (::ioctl(impl_->fd, TIOCSSERIAL, &serial) != 0) return SerialLowLatency::Refused;
    impl_->lowLatencySet = true;
    return SerialLowLatency::On;
#else
    return SerialLowLatency::NotAsked;
#endif
}

SerialWait SerialDevice::WaitForInput(int timeoutMs)
{
    if (!IsOpen()) return SerialWait::Failed;
    pollfd fds[2] = {{impl_->fd, POLLIN, 0}, {impl_->wakeRead, POLLIN, 0}};
    int result;
    do {
        result = ::poll(fds, 2, timeoutMs < 0 ? -1 : timeoutMs);
    } while (result < 0 && errno == EINTR);
    if (result < 0) return SerialWait::Failed;
    if (result == 0) return SerialWait::TimedOut;
    if (fds[1].revents & POLLIN) {
        char drain[16];
        while (::read(impl_->wakeRead, drain, sizeof drain) > 0) {}
        return SerialWait::WokenUp;
    }
    // A hung-up terminal (a pulled USB adapter, a pseudo-terminal whose other side closed) reports
    // POLLHUP together with POLLIN for ever: the bytes still there are read first, and then its reads
    // give nothing, which ReadAvailable turns into an error.
    if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) impl_->hungUp = true;
    if (fds[0].revents & POLLIN) return SerialWait::Input;
    return SerialWait::Failed;
}

void SerialDevice::WakeUp()
{
    if (impl_->wakeWrite >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(impl_->wakeWrite, &byte, 1);
    }
}

int SerialDevice::ReadAvailable(std::uint8_t* buffer, int maxBytes)
{
    if (!IsOpen()) return -1;
    if (maxBytes <= 0) return 0;
    ssize_t n;
    do {
        n = ::read(impl_->fd, buffer, static_cast<std::size_t>(maxBytes));
    } while (n < 0 && errno == EINTR);
    if (n < 0) return (errno == EAGAIN || errno == EWOULDBLOCK) ? 0 : -1;
    // End of file on a terminal: it has hung up and will never deliver again.
    if (n == 0 && impl_->hungUp) return -1;
    return static_cast<int>(n);
}

int SerialDevice::Write(const std::uint8_t* bytes, int count)
{
    if (!IsOpen() || count < 0) return 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(impl_->writeTimeoutMs);
    int done = 0;
    while (done < count) {
        const ssize_t n = ::write(impl_->fd, bytes + done, static_cast<std::size_t>(count - done));
        if (n > 0) {
            done += static_cast<int>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return 0;
        // The driver's output buffer is full: wait for room within the write time-out.
        pollfd pfd{impl_->fd, POLLOUT, 0};
        const int left = RemainingMs(deadline);
        if (left == 0 || ::poll(&pfd, 1, left) <= 0 || (pfd.revents & (POLLERR | POLLHUP | POLLNVAL))) return 0;
    }
    return 1;
}

int SerialDevice::Flush()
{
    if (!IsOpen()) return 0;
    int result;
    do {
        result = ::tcdrain(impl_->fd);
    } while (result != 0 && errno == EINTR);
    return result == 0 ? 1 : 0;
}

void SerialDevice::Close()
{
    if (impl_->fd >= 0) {
#if defined(__linux__)
        // The driver keeps the flag after the close; the next program gets the port as it was.
        serial_struct serial{};
        if (impl_->lowLatencySet && ::ioctl(impl_->fd, TIOCGSERIAL, &serial) == 0) {
            serial.flags &= ~ASYNC_LOW_LATENCY;
            ::ioctl(impl_->fd, TIOCSSERIAL, &serial);
        }
#endif
        // The exclusive flag belongs to the terminal, not to this descriptor: a pseudo-terminal keeps
        // it after the close and would refuse our own reopen (a speed change reopens the port).
        ::ioctl(impl_->fd, TIOCNXCL);
        ::flock(impl_->fd, LOCK_UN);
    }
    CloseFd(impl_->fd);
    CloseFd(impl_->wakeRead);
    CloseFd(impl_->wakeWrite);
    impl_->haveSaved = false;
    impl_->lowLatencySet = false;
    impl_->path.clear();
}
