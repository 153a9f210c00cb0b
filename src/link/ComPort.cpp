// The PC serial port with its reader thread and receive ring.
#include "link/ComPort.h"

#include "base/StrFormat.h"

#include <chrono>

namespace {

constexpr const char* kOpenFailed[] = {
    "Failed to initialize %s port!\nError in CreateFile()",
    "Failed to initialize %s port!\nError in SetCommMask()",
    "Failed to initialize %s port!\nError in SetupComm()",
    "Failed to initialize %s port!\nError in SetCommTimeouts()",
    "Failed to initialize %s port!\nError in GetCommState()",
    "Failed to initialize %s port!\nError in SetCommState()",
};

enum OpenStep { kStepOpen, kStepEventMask, kStepQueues, kStepTimeouts, kStepGetState, kStepSetState };

// Why the device did not open, and what the operator can do about it. The subject names the port and, where
// the name leads elsewhere (a dosdevices link, /dev/ttyS2), the device as well.
std::string OpenFailureText(SerialOpenFailure failure, const std::string& portName)
{
    const std::string device = SerialDevice::LeadsTo(portName);
    const std::string subject = device == portName ? portName : portName + " leads to " + device + ", which";
    switch (failure) {
        case SerialOpenFailure::Missing:
            return subject + " is not there: is the adapter plugged in?";
        case SerialOpenFailure::Permission: {
            const std::string group = SerialDevice::AccessGroup(device);
            return subject + " is not open to your user: add yourself to the group '" + group +
                   "' (`sudo adduser $USER " + group + "`) and log in again";
        }
        case SerialOpenFailure::Busy:
            return subject + " is in use by another program";
        case SerialOpenFailure::NotSerial:
            return subject + " is not a serial port";
        default:
            return StrFormat(kOpenFailed[kStepOpen], portName.c_str());
    }
}

}  // namespace

ComPort::ComPort() : driverGuard_("Rs Mutex") {}

ComPort::~ComPort() { Close(); }

std::string ComPort::PortName(int index)
{
    if (index < 0 || index >= kPortCount) return "ERROR";
    return StrFormat("COM%d", index + 1);
}

int ComPort::Open(const std::string& portName, int baudRate, int dataBits, int stopBits, bool softwareFlow,
                  bool parityCheck)
{
    Close();

    auto fail = [&](int step) {
        device_.Close();
        lastError_ = StrFormat(kOpenFailed[step], portName.c_str());
        return 0;
    };
    // A port in use by another program or another copy of the tool fails here as well.
    lastFailure_ = SerialOpenFailure::None;
    if (!device_.Open(portName)) {
        lastFailure_ = device_.LastOpenFailure();
        lastError_ = OpenFailureText(lastFailure_, portName);
        return 0;
    }
    if (!device_.SetReceiveEventMask()) return fail(kStepEventMask);
    if (!device_.SetQueueSizes(kDriverQueueBytes, kDriverQueueBytes)) return fail(kStepQueues);
    if (!device_.SetTimeouts(kWriteTimeoutMs)) return fail(kStepTimeouts);
    SerialLineSettings line;
    if (!device_.GetLineSettings(line)) return fail(kStepGetState);
    line.baudRate = baudRate;
    line.dataBits = dataBits;
    line.stopBits = stopBits;
    line.softwareFlow = softwareFlow;
    line.parityCheck = parityCheck;
    if (!device_.SetLineSettings(line)) return fail(kStepSetState);
    // Neither modem line carries a meaning for the camera; they are driven as its cable expects, and
    // a port without modem lines (a pseudo-terminal) is no reason to fail.
    device_.SetRts(false);
    device_.SetDtr(true);
    // Not a reason to fail either: without it the port only answers later.
    lowLatency_ = device_.RequestLowLatency();

    openName_ = portName;
    head_.store(0);
    tail_.store(0);
    lineLost_.store(false);
    running_.store(true);
    readerRunning_.store(true);
    reader_ = std::thread(&ComPort::ReaderLoop, this);
    return 1;
}

void ComPort::StopReader()
{
    running_.store(false);
    if (!reader_.joinable()) return;
    device_.WakeUp();
    {
        std::lock_guard<std::mutex> lock(ringMutex_);
    }
    spaceFreed_.notify_all();
    reader_.join();
}

void ComPort::Close()
{
    // The reader thread ends before the handle closes: it must never wait on or read a closed port.
    StopReader();
    device_.Close();
    openName_.clear();
    lineLost_.store(false);
    lowLatency_ = SerialLowLatency::NotAsked;
    // Unread bytes of a closed port are gone: no wait may report them as arrived.
    head_.store(0);
    tail_.store(0);
    dataArrived_.notify_all();
}

int ComPort::FreeSpace() const
{
    const int used =
        (head_.load(std::memory_order_acquire) - tail_.load(std::memory_order_acquire) + kRingSize) % kRingSize;
    return kRingSize - 1 - used;
}

// Reader thread. Waits for received bytes (or the wake-up of Close) and moves them from the driver into
// the ring. While the ring is full it takes nothing more from the driver: the bytes wait there instead of
// overwriting unread ones, and reading resumes as soon as the consumer frees room. A line that hung up
// or a driver error ends the thread: waiting on such a port returns at once, for ever, and would spin.
void ComPort::ReaderLoop()
{
    std::uint8_t chunk[kRingSize];
    auto lost = [this] {
        // Close asked for the end itself; anything else the user-interface thread learns through LineLost.
        if (running_.load()) lineLost_.store(true);
    };
    while (running_.load()) {
        {
            std::unique_lock<std::mutex> lock(ringMutex_);
            spaceFreed_.wait(lock, [this] { return !running_.load() || FreeSpace() > 0; });
        }
        if (!running_.load()) break;

        const SerialWait wait = device_.WaitForInput(-1);
        if (wait == SerialWait::Failed) {
            lost();  // the port delivers nothing until it is opened again
            break;
        }
        if (wait != SerialWait::Input) continue;

        int count;
        {
            NamedMutexGuard guard(driverGuard_);
            count = device_.ReadAvailable(chunk, FreeSpace());
        }
        if (count < 0) {
            lost();
            break;
        }
        if (count == 0) continue;

        int head = head_.load(std::memory_order_relaxed);
        for (int i = 0; i < count; ++i) {
            ring_[head] = chunk[i];
            head = (head + 1) % kRingSize;
        }
        head_.store(head, std::memory_order_release);
        {
            std::lock_guard<std::mutex> lock(ringMutex_);
        }
        dataArrived_.notify_all();
    }
    readerRunning_.store(false);
}

int ComPort::Write(const std::uint8_t* bytes, int count)
{
    if (!IsOpen() || LineLost() || count <= 0) return 0;
    NamedMutexGuard guard(driverGuard_);
    // One byte at a time, each flushed: the camera's receiver sees no burst it could overrun, and the
    // line has completely left the port when Write returns (a speed change may follow at once).
    for (int i = 0; i < count; ++i) {
        device_.Write(bytes + i, 1);
        device_.Flush();
    }
    return 1;
}

int ComPort::Available() const
{
    return (head_.load(std::memory_order_acquire) - tail_.load(std::memory_order_acquire) + kRingSize) % kRingSize;
}

int ComPort::GetBytes(std::uint8_t* destination, int count)
{
    if (!IsOpen() || count <= 0) return 0;
    const int head = head_.load(std::memory_order_acquire);
    int tail = tail_.load(std::memory_order_relaxed);
    int copied = 0;
    while (copied < count && tail != head) {
        destination[copied++] = ring_[tail];
        tail = (tail + 1) % kRingSize;
    }
    if (copied == 0) return 0;
    tail_.store(tail, std::memory_order_release);
    {
        std::lock_guard<std::mutex> lock(ringMutex_);
    }
    spaceFreed_.notify_one();
    return copied;
}

void ComPort::ResetRing()
{
    // With the reader running only the consumer's index may move: dropping the unread bytes means
    // catching up with head.
    if (reader_.joinable()) {
        tail_.store(head_.load(std::memory_order_acquire), std::memory_order_release);
        {
            std::lock_guard<std::mutex> lock(ringMutex_);
        }
        spaceFreed_.notify_one();
    } else {
        head_.store(0);
        tail_.store(0);
    }
}

bool ComPort::WaitForBytes(int timeoutMs)
{
    if (Available() > 0) return true;
    std::unique_lock<std::mutex> lock(ringMutex_);
    dataArrived_.wait_for(lock, std::chrono::milliseconds(timeoutMs > 0 ? timeoutMs : 0),
                          [this] { return Available() > 0; });
    return Available() > 0;
}
