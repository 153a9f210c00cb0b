// The PC serial port: opens "COM1" to "COM16", writes bytes, and receives through a reader thread.
#pragma once

#include "platform/NamedMutex.h"
#include "platform/SerialDevice.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

class ComPort {
public:
    static constexpr int kRingSize = 1024;  // one slot stays free: at most 1023 unread bytes
    static constexpr int kPortCount = 16;
    static constexpr int kDriverQueueBytes = 1024;
    static constexpr int kWriteTimeoutMs = 20000;

    ComPort();
    ~ComPort();
    ComPort(const ComPort&) = delete;
    ComPort& operator=(const ComPort&) = delete;

    // stopBits is the driver's code (0 = one stop bit). On failure gives 0 and keeps the failed step's
    // message in LastError() for the caller to show; a device that would not open says why by its cause
    // (not there, not permitted, in use), naming the port and the device it leads to.
    int Open(const std::string& portName, int baudRate, int dataBits, int stopBits, bool softwareFlow,
             bool parityCheck);
    void Close();
    bool IsOpen() const { return device_.IsOpen(); }
    const std::string& LastError() const { return lastError_; }
    // Why the device did not open at the last Open; None when it did (a later step may still have failed).
    SerialOpenFailure LastOpenFailure() const { return lastFailure_; }
    const std::string& OpenName() const { return openName_; }
    // The device the open port is on (the path behind "COMn"); empty while closed.
    const std::string& DevicePath() const { return device_.OpenPath(); }
    // The line went away under the open port (a pulled adapter hangs the terminal up) or the driver failed:
    // the reader thread has ended and nothing arrives or leaves until the port is opened again. Set by the
    // reader thread, cleared by Open and Close.
    bool LineLost() const { return lineLost_.load(); }
    // The reader thread is still in its loop: from Open until Close, or until a lost line ended it.
    bool ReaderRunning() const { return readerRunning_.load(); }
    // What the driver said to the request for low latency at the last open.
    SerialLowLatency LowLatency() const { return lowLatency_; }

    // Each byte is written and flushed on its own, so the whole line has left the port on return.
    // 0 when the port is closed, its line is lost or count is not positive.
    int Write(const std::uint8_t* bytes, int count);
    // Copies up to count unread bytes out of the ring without waiting; gives their number.
    int GetBytes(std::uint8_t* destination, int count);
    int Available() const;
    void ResetRing();
    // Waits until the ring holds a byte, the port closes or timeoutMs passes; true when a byte is there.
    bool WaitForBytes(int timeoutMs);

    // "COM1" ... "COM16"; "ERROR" for any other index.
    static std::string PortName(int index);

private:
    std::string lastError_;
    SerialOpenFailure lastFailure_ = SerialOpenFailure::None;
    void ReaderLoop();
    int FreeSpace() const;
    void StopReader();

    SerialDevice device_;
    std::string openName_;
    // "Rs Mutex": held around every driver call that reads or writes, by the user-interface thread in
    // Write and by the reader thread while it drains the driver.
    NamedMutex driverGuard_;

    // The ring is single-producer single-consumer: only the reader thread moves head_, only the
    // consumer (the user-interface thread) moves tail_. ringMutex_ does not guard the bytes; it only
    // pairs with the two condition variables so that neither side misses the other's wake-up.
    std::uint8_t ring_[kRingSize] = {};
    std::atomic<int> head_{0};
    std::atomic<int> tail_{0};
    mutable std::mutex ringMutex_;
    std::condition_variable dataArrived_;  // reader -> consumer: bytes were added
    std::condition_variable spaceFreed_;  // consumer -> reader: bytes were taken (back-pressure)

    std::thread reader_;
    std::atomic<bool> running_{false};
    std::atomic<bool> lineLost_{false};
    std::atomic<bool> readerRunning_{false};  // set by Open, cleared by the reader thread as it leaves
    SerialLowLatency lowLatency_ = SerialLowLatency::NotAsked;
};
