// One kind of Camera Link serial library as the link sees it (link modes 1 to 3).
#pragma once

#include <cstdint>
#include <string>

class ClSerialKind {
public:
    virtual ~ClSerialKind() = default;

    // Rebuilds the entry list; gives its length.
    virtual int ScanEntries() = 0;
    // The list entry, or an empty text outside the list.
    virtual std::string EntryName(int index) const = 0;
    virtual int OpenEntry(int index) = 0;
    virtual int SetBaudRate(int rate) = 0;
    // Whether the open entry can run at this rate, asked without a message and without changing it.
    virtual bool SupportsBaudRate(int rate) = 0;
    // Bytes read (0 on failure or time-out).
    virtual int ReadBytes(std::uint8_t* buffer, int count, int timeoutMs) = 0;
    virtual int WriteBytes(const std::uint8_t* buffer, int count, int timeoutMs) = 0;
    virtual void CloseEntry() = 0;

    // Why the last SetBaudRate failed, in the operator's words; the caller that owns the action shows it.
    const std::string& LastError() const { return lastError_; }

protected:
    std::string lastError_;
};

// The process-wide library object of link mode 1 (2000 kind), 2 (2001 kind) or 3 (version 1.1);
// nullptr for any other mode.
ClSerialKind* GetClSerialKind(int linkMode);
