// Serial ports over the Win32 communications functions, opened in overlapped mode.
#include "platform/SerialDevice.h"

#include <cctype>
#include <cstdio>
#include <utility>

#include <windows.h>

struct SerialDevice::Impl {
    HANDLE handle = INVALID_HANDLE_VALUE;
    HANDLE waitEvent = nullptr;  // overlapped record of WaitCommEvent
    HANDLE readEvent = nullptr;  // overlapped record of the byte reads
    HANDLE writeEvent = nullptr;  // overlapped record of the byte writes
    HANDLE wakeEvent = nullptr;  // set by WakeUp
    HANDLE claim = nullptr;  // named marker of the port while this device holds it
    bool waitPending = false;  // a WaitCommEvent is outstanding on waitOverlap
    bool pollOnly = false;  // the driver cannot wait for events: WaitForInput polls
    OVERLAPPED waitOverlap{};
    DWORD eventMask = 0;
    int writeTimeoutMs = 20000;
    DCB dcb{};
    bool haveDcb = false;
    SerialOpenFailure failure = SerialOpenFailure::None;
    std::string path;
};

namespace {

void CloseEvent(HANDLE& event)
{
    if (event) ::CloseHandle(event);
    event = nullptr;
}

std::string ClaimName(const std::string& portName)
{
    std::string name = "RV-8200-XC serial port ";
    for (char c : portName) name.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    return name;
}

// Windows' own drivers refuse a second open of a port, but not every driver does (Wine on a pseudo-terminal,
// some virtual ports). A named object held while the port is open makes the promise on every driver, across
// processes and within one. Null when another holder has it; a claim that cannot be made at all (no named
// objects) does not stand in the way: the driver's own refusal still applies.
HANDLE ClaimPort(const std::string& portName, bool& taken)
{
    const std::string name = ClaimName(portName);
    taken = false;
    for (const char* scope : {"Global\\", "Local\\"}) {
        HANDLE claim = ::CreateEventA(nullptr, TRUE, FALSE, (scope + name).c_str());
        if (!claim) continue;  // e.g. no right to the global namespace
        if (::GetLastError() == ERROR_ALREADY_EXISTS) {
            ::CloseHandle(claim);
            taken = true;
            return nullptr;
        }
        return claim;
    }
    return nullptr;
}

// For a driver without event waits: looks for waiting bytes every millisecond while an answer is due, every few
// milliseconds once the wait has gone on for a while (an idle port), until the time-out. At 115200 bit/s a short
// answer takes under 2 ms on the line: a 5 ms pause throughout would more than double each request's time.
SerialWait PollForInput(HANDLE port, HANDLE wakeEvent, int timeoutMs)
{
    const ULONGLONG start = ::GetTickCount64();
    for (;;) {
        if (::WaitForSingleObject(wakeEvent, 0) == WAIT_OBJECT_0) {
            ::ResetEvent(wakeEvent);
            return SerialWait::WokenUp;
        }
        COMSTAT status{};
        DWORD errors = 0;
        if (!::ClearCommError(port, &errors, &status)) return SerialWait::Failed;
        if (status.cbInQue > 0) return SerialWait::Input;
        const ULONGLONG waited = ::GetTickCount64() - start;
        if (timeoutMs >= 0 && waited >= static_cast<ULONGLONG>(timeoutMs)) return SerialWait::TimedOut;
        ::WaitForSingleObject(wakeEvent, waited < 100 ? 1 : 5);  // a pause that WakeUp cuts short
    }
}

}  // namespace

SerialDevice::SerialDevice() : impl_(std::make_unique<Impl>()) {}

SerialDevice::~SerialDevice() { Close(); }

std::string SerialDevice::DevicePath(const std::string& portName)
{
    // The device namespace reaches ports above COM9 as well.
    char path[64];
    std::snprintf(path, sizeof path, "\\\\.\\%s", portName.c_str());
    return path;
}

namespace {

SerialDevice::OpenOverride& OpenOverrideFunction()
{
    static SerialDevice::OpenOverride function;
    return function;
}

// Windows opens a port for one program only: a port held elsewhere refuses with "access denied".
SerialOpenFailure FailureOf(DWORD error)
{
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_BAD_UNIT:
        case ERROR_DEV_NOT_EXIST:
            return SerialOpenFailure::Missing;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_BUSY:
            return SerialOpenFailure::Busy;
        default:
            return SerialOpenFailure::Other;
    }
}

}  // namespace

std::string SerialDevice::LeadsTo(const std::string& portName) { return portName; }

std::string SerialDevice::AccessGroup(const std::string&) { return {}; }

void SerialDevice::SetOpenOverride(OpenOverride override) { OpenOverrideFunction() = std::move(override); }

SerialOpenFailure SerialDevice::LastOpenFailure() const { return impl_->failure; }

int SerialDevice::Open(const std::string& portName)
{
    Close();
    const std::string path = DevicePath(portName);
    if (const OpenOverride& override = OpenOverrideFunction(); override) {
        impl_->failure = override(path);
        if (impl_->failure != SerialOpenFailure::None) return 0;
    }
    bool taken = false;
    HANDLE claim = ClaimPort(portName, taken);
    impl_->failure = SerialOpenFailure::Busy;
    if (taken) return 0;
    HANDLE handle = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_OVERLAPPED | FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        impl_->failure = FailureOf(::GetLastError());
        CloseEvent(claim);
        return 0;
    }
    impl_->failure = SerialOpenFailure::Other;
    impl_->handle = handle;
    impl_->claim = claim;
    impl_->waitEvent = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    impl_->readEvent = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    impl_->writeEvent = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    impl_->wakeEvent = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!impl_->waitEvent || !impl_->readEvent || !impl_->writeEvent || !impl_->wakeEvent) {
        Close();
        return 0;
    }
    impl_->waitPending = false;
    impl_->pollOnly = false;
    impl_->haveDcb = false;
    impl_->path = path;
    impl_->failure = SerialOpenFailure::None;
    return 1;
}

bool SerialDevice::IsOpen() const { return impl_->handle != INVALID_HANDLE_VALUE; }

const std::string& SerialDevice::OpenPath() const { return impl_->path; }

SerialPresence SerialDevice::Presence(const std::string& devicePath)
{
    // "\\.\COM3": the port is there while the device namespace knows its name (a pulled USB adapter
    // takes the name along).
    const std::string prefix = "\\\\.\\";
    if (devicePath.compare(0, prefix.size(), prefix) != 0) return SerialPresence::Absent;
    const std::string portName = devicePath.substr(prefix.size());
    char target[512];
    if (::QueryDosDeviceA(portName.c_str(), target, sizeof target) == 0) return SerialPresence::Absent;
    for (const char* scope : {"Global\\", "Local\\"}) {
        HANDLE claim = ::OpenEventA(SYNCHRONIZE, FALSE, (scope + ClaimName(portName)).c_str());
        if (claim) {
            ::CloseHandle(claim);
            return SerialPresence::InUse;
        }
    }
    HANDLE handle = ::CreateFileA(devicePath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return ::GetLastError() == ERROR_ACCESS_DENIED ? SerialPresence::InUse : SerialPresence::Absent;
    }
    ::CloseHandle(handle);
    return SerialPresence::Free;
}

int SerialDevice::SetReceiveEventMask() { return IsOpen() && ::SetCommMask(impl_->handle, EV_RXCHAR) ? 1 : 0; }

int SerialDevice::SetQueueSizes(int inputBytes, int outputBytes)
{
    if (!IsOpen() || inputBytes <= 0 || outputBytes <= 0) return 0;
    return ::SetupComm(impl_->handle, static_cast<DWORD>(inputBytes), static_cast<DWORD>(outputBytes)) ? 1 : 0;
}

int SerialDevice::SetTimeouts(int writeTimeoutMs)
{
    if (!IsOpen() || writeTimeoutMs < 0) return 0;
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;  // with both read factors 0: a read returns what is there
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = 0;
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = static_cast<DWORD>(writeTimeoutMs);
    if (!::SetCommTimeouts(impl_->handle, &timeouts)) return 0;
    impl_->writeTimeoutMs = writeTimeoutMs;
    return 1;
}

int SerialDevice::GetLineSettings(SerialLineSettings& settings)
{
    if (!IsOpen()) return 0;
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!::GetCommState(impl_->handle, &dcb)) return 0;
    impl_->dcb = dcb;
    impl_->haveDcb = true;
    settings.baudRate = static_cast<int>(dcb.BaudRate);
    settings.dataBits = dcb.ByteSize;
    settings.stopBits = dcb.StopBits;
    settings.softwareFlow = dcb.fOutX != 0;
    settings.parityCheck = dcb.fParity != 0;
    return 1;
}

int SerialDevice::SetLineSettings(const SerialLineSettings& settings)
{
    if (!IsOpen() || !impl_->haveDcb) return 0;
    DCB dcb = impl_->dcb;
    // DTR control, DSR handling and the error and end characters stay as the driver reported them.
    dcb.DCBlength = sizeof dcb;
    dcb.BaudRate = static_cast<DWORD>(settings.baudRate);
    dcb.fBinary = TRUE;
    dcb.fParity = settings.parityCheck ? TRUE : FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fRtsControl = RTS_CONTROL_DISABLE;
    dcb.fOutX = settings.softwareFlow ? TRUE : FALSE;
    dcb.fInX = settings.softwareFlow ? TRUE : FALSE;
    dcb.ByteSize = static_cast<BYTE>(settings.dataBits);
    dcb.Parity = NOPARITY;
    dcb.StopBits = static_cast<BYTE>(settings.stopBits);
    if (!::SetCommState(impl_->handle, &dcb)) return 0;
    impl_->dcb = dcb;
    return 1;
}

int SerialDevice::SetDtr(bool on)
{
    return IsOpen() && ::EscapeCommFunction(impl_->handle, on ? SETDTR : CLRDTR) ? 1 : 0;
}

int SerialDevice::SetRts(bool on)
{
    return IsOpen() && ::EscapeCommFunction(impl_->handle, on ? SETRTS : CLRRTS) ? 1 : 0;
}

// The latency timer of a USB adapter is a setting of its driver here (Device Manager), not a request.
SerialLowLatency SerialDevice::RequestLowLatency() { return SerialLowLatency::NotAsked; }

SerialWait SerialDevice::WaitForInput(int timeoutMs)
{
    if (!IsOpen()) return SerialWait::Failed;
    if (::WaitForSingleObject(impl_->wakeEvent, 0) == WAIT_OBJECT_0) {
        ::ResetEvent(impl_->wakeEvent);
        return SerialWait::WokenUp;
    }
    // Bytes already queued raise no new event; look first.
    COMSTAT status{};
    DWORD errors = 0;
    if (::ClearCommError(impl_->handle, &errors, &status) && status.cbInQue > 0) return SerialWait::Input;
    if (impl_->pollOnly) return PollForInput(impl_->handle, impl_->wakeEvent, timeoutMs);

    // A wait the driver refuses at once while the port still answers (Wine on a pseudo-terminal, which has no
    // modem lines to watch) means the driver cannot wait for events: from then on the port is polled.
    auto waitRefused = [this, timeoutMs] {
        COMSTAT alive{};
        DWORD lineErrors = 0;
        if (!::ClearCommError(impl_->handle, &lineErrors, &alive)) return SerialWait::Failed;
        impl_->pollOnly = true;
        return PollForInput(impl_->handle, impl_->wakeEvent, timeoutMs);
    };
    if (!impl_->waitPending) {
        impl_->waitOverlap = OVERLAPPED{};
        impl_->waitOverlap.hEvent = impl_->waitEvent;
        ::ResetEvent(impl_->waitEvent);
        impl_->eventMask = 0;
        if (::WaitCommEvent(impl_->handle, &impl_->eventMask, &impl_->waitOverlap)) {
            return (impl_->eventMask & EV_RXCHAR) ? SerialWait::Input : SerialWait::WokenUp;
        }
        if (::GetLastError() != ERROR_IO_PENDING) return waitRefused();
        impl_->waitPending = true;
    }
    HANDLE events[2] = {impl_->waitEvent, impl_->wakeEvent};
    const DWORD which =
        ::WaitForMultipleObjects(2, events, FALSE, timeoutMs < 0 ? INFINITE : static_cast<DWORD>(timeoutMs));
    if (which == WAIT_TIMEOUT) return SerialWait::TimedOut;
    if (which == WAIT_OBJECT_0 + 1) {
        ::ResetEvent(impl_->wakeEvent);
        return SerialWait::WokenUp;
    }
    if (which != WAIT_OBJECT_0) return SerialWait::Failed;
    impl_->waitPending = false;
    DWORD transferred = 0;
    if (!::GetOverlappedResult(impl_->handle, &impl_->waitOverlap, &transferred, FALSE)) return waitRefused();
    // A cleared event mask (the port closing) completes the wait with no event bit.
    return (impl_->eventMask & EV_RXCHAR) ? SerialWait::Input : SerialWait::WokenUp;
}

void SerialDevice::WakeUp()
{
    if (impl_->wakeEvent) ::SetEvent(impl_->wakeEvent);
    // Clearing the mask also ends a pending WaitCommEvent.
    if (IsOpen()) ::SetCommMask(impl_->handle, 0);
}

int SerialDevice::ReadAvailable(std::uint8_t* buffer, int maxBytes)
{
    if (!IsOpen()) return -1;
    COMSTAT status{};
    DWORD errors = 0;
    if (!::ClearCommError(impl_->handle, &errors, &status)) return -1;
    DWORD count = status.cbInQue;
    if (count > static_cast<DWORD>(maxBytes > 0 ? maxBytes : 0))
        count = static_cast<DWORD>(maxBytes > 0 ? maxBytes : 0);
    if (count == 0) return 0;
    OVERLAPPED overlap{};
    overlap.hEvent = impl_->readEvent;
    ::ResetEvent(impl_->readEvent);
    DWORD got = 0;
    if (!::ReadFile(impl_->handle, buffer, count, &got, &overlap)) {
        if (::GetLastError() != ERROR_IO_PENDING) return -1;
        if (!::GetOverlappedResult(impl_->handle, &overlap, &got, TRUE)) return -1;
    }
    return static_cast<int>(got);
}

int SerialDevice::Write(const std::uint8_t* bytes, int count)
{
    if (!IsOpen() || count < 0) return 0;
    if (count == 0) return 1;
    OVERLAPPED overlap{};
    overlap.hEvent = impl_->writeEvent;
    ::ResetEvent(impl_->writeEvent);
    DWORD written = 0;
    if (!::WriteFile(impl_->handle, bytes, static_cast<DWORD>(count), &written, &overlap)) {
        if (::GetLastError() != ERROR_IO_PENDING) return 0;
        // The driver ends the write itself after the write time-out set with SetTimeouts.
        if (!::GetOverlappedResult(impl_->handle, &overlap, &written, TRUE)) return 0;
    }
    return written == static_cast<DWORD>(count) ? 1 : 0;
}

int SerialDevice::Flush() { return IsOpen() && ::FlushFileBuffers(impl_->handle) ? 1 : 0; }

void SerialDevice::Close()
{
    if (IsOpen()) {
        ::SetCommMask(impl_->handle, 0);
        if (impl_->waitPending) {
            ::CancelIo(impl_->handle);
            DWORD transferred = 0;
            ::GetOverlappedResult(impl_->handle, &impl_->waitOverlap, &transferred, TRUE);
            impl_->waitPending = false;
        }
        ::CloseHandle(impl_->handle);
        impl_->handle = INVALID_HANDLE_VALUE;
    }
    CloseEvent(impl_->waitEvent);
    CloseEvent(impl_->readEvent);
    CloseEvent(impl_->writeEvent);
    CloseEvent(impl_->wakeEvent);
    CloseEvent(impl_->claim);
    impl_->haveDcb = false;
    impl_->path.clear();
}
