// A session's own Camera Link library object.
#include "ctl/SessionClSerialKind.h"

#include "link/ClSerial2000.h"
#include "link/ClSerial2001.h"
#include "link/ClSerialV11.h"

#include <mutex>

namespace {

// Held around every scan, open and close of any session (see the header).
std::mutex& LibraryTurn()
{
    static std::mutex turn;
    return turn;
}

std::unique_ptr<ClSerialKind> MakeKind(int linkMode)
{
    switch (linkMode) {
        case 1:
            return std::make_unique<ClSerial2000>();
        case 2:
            return std::make_unique<ClSerial2001>();
        case 3:
            return std::make_unique<ClSerialV11>();
        default:
            return nullptr;
    }
}

}  // namespace

SessionClSerialKind::SessionClSerialKind(int linkMode) : kind_(MakeKind(linkMode)) {}

SessionClSerialKind::~SessionClSerialKind() { CloseEntry(); }

int SessionClSerialKind::ScanEntries()
{
    const std::lock_guard<std::mutex> lock(LibraryTurn());
    return kind_ ? kind_->ScanEntries() : 0;
}

std::string SessionClSerialKind::EntryName(int index) const { return kind_ ? kind_->EntryName(index) : std::string(); }

int SessionClSerialKind::OpenEntry(int index)
{
    const std::lock_guard<std::mutex> lock(LibraryTurn());
    return kind_ ? kind_->OpenEntry(index) : 0;
}

int SessionClSerialKind::SetBaudRate(int rate)
{
    if (!kind_) return 0;
    const int set = kind_->SetBaudRate(rate);
    lastError_ = kind_->LastError();
    return set;
}

bool SessionClSerialKind::SupportsBaudRate(int rate) { return kind_ && kind_->SupportsBaudRate(rate); }

int SessionClSerialKind::ReadBytes(std::uint8_t* buffer, int count, int timeoutMs)
{
    return kind_ ? kind_->ReadBytes(buffer, count, timeoutMs) : 0;
}

int SessionClSerialKind::WriteBytes(const std::uint8_t* buffer, int count, int timeoutMs)
{
    return kind_ ? kind_->WriteBytes(buffer, count, timeoutMs) : 0;
}

void SessionClSerialKind::CloseEntry()
{
    if (!kind_) return;
    const std::lock_guard<std::mutex> lock(LibraryTurn());
    kind_->CloseEntry();
}
