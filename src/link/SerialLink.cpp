// Link selection: one Write and Read over whichever channel the operator chose.
#include "link/SerialLink.h"

#include "base/StrFormat.h"
#include "link/ClSerialKind.h"
#include "link/ComPort.h"
#include "link/TrafficSink.h"

namespace {

constexpr int kBaudRates[SerialLink::kBaudCount] = {9600, 19200, 38400, 57600, 115200};
constexpr int kRateCodes[SerialLink::kBaudCount] = {1, 2, 4, 8, 16};

}  // namespace

SerialLink::SerialLink(const LinkSettings& initial, ComPort& port, KindLookup kinds, RegistrySettings* persistTo)
    : linkMode_(initial.linkMode),
      // The stored rate is not used: the link always starts at 9600 bit/s, the camera's own start
      // rate, and the start-up moves both sides up with the "CBDRT" handshake.
      baudRate_(9600),
      comPortIndex_(initial.comPortIndex),
      cl2000Index_(initial.cl2000Index),
      cl2001Index_(initial.cl2001Index),
      clV11Index_(initial.clV11Index),
      port_(port),
      kinds_(std::move(kinds)),
      persistTo_(persistTo)
{
}

SerialLink::~SerialLink()
{
    if (openMode_ == kLinkComPort) port_.Close();
    if (persistTo_) persistTo_->WriteLinkSettings(Settings());
}

LinkSettings SerialLink::Settings() const
{
    LinkSettings s;
    s.linkMode = linkMode_;
    s.baudRate = baudRate_;
    s.comPortIndex = comPortIndex_;
    s.cl2000Index = cl2000Index_;
    s.cl2001Index = cl2001Index_;
    s.clV11Index = clV11Index_;
    return s;
}

ClSerialKind* SerialLink::Kind(int mode) const
{
    if (!IsClMode(mode) || !kinds_) return nullptr;
    return kinds_(mode);
}

bool SerialLink::SupportsBaudRate(int baudRate)
{
    if (RateCodeOfBaudRate(baudRate) == 0) return false;
    if (linkMode_ == kLinkComPort) return true;
    ClSerialKind* kind = Kind(linkMode_);
    return kind != nullptr && kind->SupportsBaudRate(baudRate);
}

int SerialLink::CurrentPortIndex() const
{
    switch (linkMode_) {
        case kLinkComPort:
            return comPortIndex_;
        case kLinkCl2000:
            return cl2000Index_;
        case kLinkCl2001:
            return cl2001Index_;
        case kLinkClV11:
            return clV11Index_;
        default:
            return 0;
    }
}

int SerialLink::Reopen(int mode, int baudRate)
{
    int portIndex = 0;
    switch (mode) {
        case kLinkComPort:
            portIndex = comPortIndex_;
            break;
        case kLinkCl2000:
            portIndex = cl2000Index_;
            break;
        case kLinkCl2001:
            portIndex = cl2001Index_;
            break;
        case kLinkClV11:
            portIndex = clV11Index_;
            break;
        default:
            break;
    }
    return Open(mode, baudRate, portIndex);
}

int SerialLink::Open(int mode, int baudRate, int portIndex)
{
    Close();
    lastError_.clear();
    // Both are kept even when the open fails: the operator's choice stands and is saved at exit.
    linkMode_ = mode;
    baudRate_ = baudRate;
    switch (mode) {
        case kLinkComPort:
            comPortIndex_ = portIndex;
            if (!port_.Open(devicePath_.empty() ? StrFormat("COM%d", portIndex + 1) : devicePath_, baudRate, 8, 0,
                            false, false)) {
                lastError_ = port_.LastError();
                return 0;
            }
            openMode_ = kLinkComPort;
            return 1;
        case kLinkCl2000:
            cl2000Index_ = portIndex;
            break;
        case kLinkCl2001:
            cl2001Index_ = portIndex;
            break;
        case kLinkClV11:
            clV11Index_ = portIndex;
            break;
        default:
            return 0;
    }
    ClSerialKind* kind = Kind(mode);
    if (!kind || !kind->OpenEntry(portIndex)) return 0;
    // An entry that refuses the rate stays open at the library's own rate; the next Close closes it.
    openMode_ = mode;
    if (kind->SetBaudRate(baudRate)) return 1;
    lastError_ = kind->LastError();
    return 0;
}

void SerialLink::Close()
{
    // The channel that is actually open is closed, also when the mode was changed with SetMode since.
    if (openMode_ == kLinkComPort) {
        port_.Close();
    } else if (ClSerialKind* kind = Kind(openMode_)) {
        kind->CloseEntry();
    }
    openMode_ = -1;
    pending_.clear();
}

bool SerialLink::ChannelLost() const { return openMode_ == kLinkComPort && port_.LineLost(); }

std::string SerialLink::ChannelDevice() const { return openMode_ == kLinkComPort ? port_.DevicePath() : std::string(); }

int SerialLink::PortCount()
{
    if (linkMode_ == kLinkComPort) return ComPort::kPortCount;
    ClSerialKind* kind = Kind(linkMode_);
    return kind ? kind->ScanEntries() : 0;
}

std::string SerialLink::PortName(int index)
{
    if (linkMode_ == kLinkComPort) return ComPort::PortName(index);
    if (!IsClMode(linkMode_)) return "ERROR";
    ClSerialKind* kind = Kind(linkMode_);
    return kind ? kind->EntryName(index) : std::string();
}

void SerialLink::LogLine(const char* prefix, const std::string& line)
{
    if (terminalSink_) terminalSink_->AddLine(prefix + line);
    if (messageSink_) messageSink_->AddLine(line);
}

int SerialLink::Write(const std::string& text)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const int count = static_cast<int>(text.size());
    // A closed or lost channel takes nothing: the request is not sent, and says so at once instead of
    // waiting out its time-out for an answer that cannot come.
    if (count <= 0 || openMode_ != linkMode_) return 0;
    if (linkMode_ == kLinkComPort) {
        if (port_.Write(bytes, count) == 0) return 0;
    } else if (IsClMode(linkMode_)) {
        ClSerialKind* kind = Kind(linkMode_);
        if (!kind || kind->WriteBytes(bytes, count, kClWriteTimeoutMs) <= 0) return 0;
    } else {
        return 0;
    }
    std::string shown = text;
    while (!shown.empty() && (shown.back() == '\r' || shown.back() == '\n')) shown.pop_back();
    LogLine("Tx: ", shown);
    return 1;
}

bool SerialLink::WaitForInput(int limitMs)
{
    const std::int64_t start = clock_->NowUs();
    if (limitMs < 0) limitMs = 0;
    if (linkMode_ == kLinkComPort) return port_.WaitForBytes(limitMs);
    if (!pending_.empty()) return true;
    ClSerialKind* kind = Kind(linkMode_);
    if (kind && openMode_ == linkMode_) {
        // A library can only wait by reading; the byte it gives is kept for the next Read.
        std::uint8_t byte;
        if (kind->ReadBytes(&byte, 1, limitMs > 0 ? limitMs : 1) == 1) {
            pending_.push_back(byte);
            return true;
        }
    }
    // Nothing can arrive (or the library returned early): let the rest of the time pass.
    const int left = limitMs - ElapsedMs(*clock_, start);
    if (left > 0) clock_->Pause(left);
    return false;
}

int SerialLink::Read(std::uint8_t* buffer, int length, int limitMs)
{
    if (length <= 0) return 0;
    const std::int64_t start = clock_->NowUs();
    int count = 0;
    if (linkMode_ == kLinkComPort) {
        // The ring is filled by the port's reader thread; the wait returns as soon as it adds a byte.
        while (true) {
            count += port_.GetBytes(buffer + count, length - count);
            const int left = limitMs - ElapsedMs(*clock_, start);
            if (count >= length || left <= 0) break;
            port_.WaitForBytes(left);
        }
        return count;
    }
    if (!IsClMode(linkMode_)) return 0;
    while (count < length && !pending_.empty()) {
        buffer[count++] = pending_.front();
        pending_.pop_front();
    }
    ClSerialKind* kind = Kind(linkMode_);
    if (!kind || openMode_ != linkMode_) return count;
    while (count < length) {
        const int left = limitMs - ElapsedMs(*clock_, start);
        const int slice = left < kClReadTimeoutMs ? (left > 1 ? left : 1) : kClReadTimeoutMs;
        const int got = kind->ReadBytes(buffer + count, 1, slice);
        if (got > 0) count += got;
        if (ElapsedMs(*clock_, start) >= limitMs) break;
        if (got <= 0 && ElapsedMs(*clock_, start) < 1) {
            // A library that does not honour its time-out must not turn this into a busy loop.
            clock_->Pause(1);
        }
    }
    return count;
}

int SerialLink::BaudRateFromIndex(int index)
{
    return index >= 0 && index < kBaudCount ? kBaudRates[index] : kBaudRates[0];
}

int SerialLink::IndexOfBaudRate(int baudRate)
{
    for (int i = 0; i < kBaudCount; ++i) {
        if (kBaudRates[i] == baudRate) return i;
    }
    return 0;
}

int SerialLink::RateCodeFromIndex(int index)
{
    return index >= 0 && index < kBaudCount ? kRateCodes[index] : kRateCodes[0];
}

int SerialLink::RateCodeOfBaudRate(int baudRate)
{
    for (int i = 0; i < kBaudCount; ++i) {
        if (kBaudRates[i] == baudRate) return kRateCodes[i];
    }
    return 0;
}
