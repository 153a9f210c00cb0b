// The camera's control channel whatever carries it: a PC serial port or a Camera Link serial library.
#pragma once

#include "link/LinkClock.h"
#include "settings/RegistrySettings.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <utility>

class ClSerialKind;
class ComPort;
class TrafficSink;

enum LinkMode : int {
    kLinkComPort = 0,  // the PC serial port (ComPort)
    kLinkCl2000 = 1,  // a Camera Link serial library of the 2000 kind (clser*)
    kLinkCl2001 = 2,  // the 2001 kind (clserial, one entry per frame-grabber maker)
    kLinkClV11 = 3,  // version 1.1 (clallserial, one entry per serial port)
};

// Runs on the user-interface thread only. The traffic sinks are attached by the windows that show the
// logs; until then nothing is logged.
class SerialLink {
public:
    static constexpr int kBaudCount = 5;
    static constexpr int kClWriteTimeoutMs = 500;
    static constexpr int kClReadTimeoutMs = 10;

    // A link on its port and library lookup, starting from the given settings; the destructor writes the
    // settings back to persistTo when there is one (the tool's own link).
    using KindLookup = std::function<ClSerialKind*(int linkMode)>;
    SerialLink(const LinkSettings& initial, ComPort& port, KindLookup kinds, RegistrySettings* persistTo);
    ~SerialLink();
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    int GetMode() const { return linkMode_; }
    void SetMode(int mode) { linkMode_ = mode; }
    int GetBaudRate() const { return baudRate_; }
    int BaudIndex() const { return IndexOfBaudRate(baudRate_); }
    int CurrentPortIndex() const;
    LinkSettings Settings() const;

    int Open(int mode, int baudRate, int portIndex);
    int Reopen(int mode, int baudRate);
    int ReopenCurrent() { return Reopen(linkMode_, baudRate_); }
    int ReopenWithMode(int mode) { return Reopen(mode, baudRate_); }
    int ReopenWithBaud(int baudRate) { return Reopen(linkMode_, baudRate); }
    int OpenPort(int portIndex) { return Open(linkMode_, baudRate_, portIndex); }
    void Close();
    // Why the last Open or Reopen failed, in the operator's words (empty when it did not say); the link
    // shows nothing itself, the action that opened it does.
    const std::string& LastError() const { return lastError_; }
    // Puts back the reason of an earlier failure after a reopen that only undid it (the old speed again).
    void KeepError(std::string error) { lastError_ = std::move(error); }
    bool IsOpen() const { return openMode_ >= 0; }
    // The open serial port's line went away (a pulled USB adapter): nothing passes until it is reopened.
    // Camera Link channels have no such report.
    bool ChannelLost() const;
    // The device the open serial port is on; empty for any other channel.
    std::string ChannelDevice() const;
    // A device path the serial-port mode opens instead of "COMn" (the command-line companion's
    // --port /dev/ttyUSB0); empty: the port index names the port.
    void SetDevicePath(std::string path) { devicePath_ = std::move(path); }
    // Whether the channel now open can be switched to this rate: any rate of the baud-rate list on the
    // serial port; what the open library entry offers for modes 1 to 3.
    bool SupportsBaudRate(int baudRate);

    int PortCount();
    std::string PortName(int index);

    // Sends the whole text and logs it ("Tx: " plus the text without its trailing CR/LF in the terminal,
    // the bare text in the message list). 0, with nothing logged, when the channel is closed, lost or
    // takes nothing.
    int Write(const std::string& text);
    // Reads up to length bytes, waiting at most limitMs for them; gives the number read.
    int Read(std::uint8_t* buffer, int length, int limitMs);
    // Waits at most limitMs until a byte can be read at once; true when one can. Returns as soon as a
    // byte arrives; a channel that cannot deliver just lets the time pass.
    bool WaitForInput(int limitMs);

    // The clock every wait on this link (and the protocol over it) is measured by; nullptr: the steady clock.
    void SetClock(LinkClock* clock) { clock_ = clock ? clock : &SteadyLinkClock::Instance(); }
    LinkClock& Clock() const { return *clock_; }

    void SetTerminalSink(TrafficSink* sink) { terminalSink_ = sink; }
    void SetMessageSink(TrafficSink* sink) { messageSink_ = sink; }
    // Adds prefix + line to the terminal and the bare line to the message list.
    void LogLine(const char* prefix, const std::string& line);

    // Baud-rate index 0..4 = 9600 .. 115200 bit/s; other indexes give 9600, other rates index 0.
    static int BaudRateFromIndex(int index);
    static int IndexOfBaudRate(int baudRate);
    // The Camera Link rate code (also the "CBDRT" value): 1, 2, 4, 8, 16; 0 for a rate not in the list.
    static int RateCodeFromIndex(int index);
    static int RateCodeOfBaudRate(int baudRate);

private:
    ClSerialKind* Kind(int mode) const;
    bool IsClMode(int mode) const { return mode >= kLinkCl2000 && mode <= kLinkClV11; }

    int linkMode_ = kLinkComPort;
    int baudRate_ = 9600;
    int comPortIndex_ = 0;
    int cl2000Index_ = 0;
    int cl2001Index_ = 0;
    int clV11Index_ = 0;

    ComPort& port_;
    KindLookup kinds_;
    RegistrySettings* persistTo_;
    // A byte a Camera Link library delivered while WaitForInput looked for input; Read hands it out first.
    std::deque<std::uint8_t> pending_;
    std::string devicePath_;
    std::string lastError_;
    int openMode_ = -1;  // the mode whose channel is open, -1 when none is
    LinkClock* clock_ = &SteadyLinkClock::Instance();
    TrafficSink* terminalSink_ = nullptr;
    TrafficSink* messageSink_ = nullptr;
};
