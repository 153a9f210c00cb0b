// One serial port as the operating system offers it: open, line settings, waiting, reading, writing.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// The line settings the tool controls. Everything else keeps the value the driver reported.
struct SerialLineSettings {
    int baudRate = 9600;
    int dataBits = 8;
    int stopBits = 0;  // the driver's code: 0 one, 1 one and a half, 2 two stop bits
    bool softwareFlow = false;  // XON/XOFF in both directions
    bool parityCheck = false;  // parity itself is always none
};

enum class SerialWait {
    Input,  // bytes are waiting in the driver
    WokenUp,  // WakeUp() was called (the port is closing)
    TimedOut,  // the time-out passed without either
    Failed,  // the driver reported an error or the line went away; waiting again is pointless
};

// What the driver made of the request for low latency (RequestLowLatency).
enum class SerialLowLatency {
    NotAsked,  // the system has no such request (Windows: it is a setting of the adapter's driver)
    Refused,  // the driver has no such setting (a pseudo-terminal, most on-board ports) or declined it
    On,
};

// Whether the device a port name opened is there again, seen without sending anything on its line.
enum class SerialPresence {
    Absent,  // gone, or not yet ready to be opened
    Free,
    InUse,  // another program (or another copy of this one) holds it
};

// Why Open failed, as far as the system tells.
enum class SerialOpenFailure {
    None,
    Missing,  // no such device (an adapter unplugged, a link that leads nowhere, a name with no port)
    Permission,  // the device is there, but this user may not open it
    Busy,  // another program (or another copy of this one) holds it
    NotSerial,  // it opened, but is no terminal device
    Other,
};

// The steps of opening and preparing a port are separate calls, so that the caller can name the one
// that failed. Calls return 1 on success and 0 on failure. Threads: WaitForInput and ReadAvailable
// belong to the port's reader thread, WakeUp may be called from any thread, everything else belongs
// to the thread that opened the port. The caller serialises ReadAvailable against Write/Flush.
class SerialDevice {
public:
    SerialDevice();
    ~SerialDevice();
    SerialDevice(const SerialDevice&) = delete;
    SerialDevice& operator=(const SerialDevice&) = delete;

    // Opens the port "COMn" for reading and writing, exclusively: a port another program (or another
    // copy of this one) holds fails here.
    int Open(const std::string& portName);
    // Why the last Open failed; None after one that succeeded.
    SerialOpenFailure LastOpenFailure() const;
    bool IsOpen() const;
    // Only the receive event wakes WaitForInput.
    int SetReceiveEventMask();
    int SetQueueSizes(int inputBytes, int outputBytes);
    // Reads return at once with what is there; a write may take up to writeTimeoutMs.
    int SetTimeouts(int writeTimeoutMs);
    // Reads the driver's current settings (kept, so that SetLineSettings changes only ours).
    int GetLineSettings(SerialLineSettings& settings);
    int SetLineSettings(const SerialLineSettings& settings);
    int SetDtr(bool on);
    int SetRts(bool on);
    // USB serial adapters hold received bytes back for a while (16 ms by default on Linux) to fill their
    // packets; a request-and-answer protocol waits that long for every answer. Asks the driver to pass
    // each byte on at once. A refusal changes nothing else: the port works as before, only slower.
    SerialLowLatency RequestLowLatency();

    // Waits until bytes arrive, WakeUp is called or timeoutMs passes (a negative time-out waits
    // without limit).
    SerialWait WaitForInput(int timeoutMs);
    void WakeUp();
    // Non-blocking: copies up to maxBytes waiting bytes; gives their number, -1 on a driver error.
    int ReadAvailable(std::uint8_t* buffer, int maxBytes);
    // Hands the bytes to the driver (waiting at most the write time-out); 1 when all were taken.
    int Write(const std::uint8_t* bytes, int count);
    // Returns when every written byte has left the port.
    int Flush();
    void Close();

    // The device path that Open opened; empty while closed.
    const std::string& OpenPath() const;

    // The file or device the name opens on this system, for messages and tests.
    static std::string DevicePath(const std::string& portName);
    // The device the name leads to, for messages: a dosdevices link's target (made absolute) where
    // DevicePath is such a link, else DevicePath itself.
    static std::string LeadsTo(const std::string& portName);
    // The group whose members may open the device (its own group where that may read and write it, else
    // the usual one, "dialout"); empty where the system has no such groups.
    static std::string AccessGroup(const std::string& devicePath);
    // Stands in for the system's answer to the next opens (tests run as root, who may open anything): the
    // function gets the device path and gives the failure to report, None to open as usual. Empty: off.
    using OpenOverride = std::function<SerialOpenFailure(const std::string& devicePath)>;
    static void SetOpenOverride(OpenOverride override);
    // Looks at a device path OpenPath gave, for a port that went away (an adapter pulled). It may open the
    // device for a moment to learn whether another program holds it, but never changes a line setting and
    // never sends.
    static SerialPresence Presence(const std::string& devicePath);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
