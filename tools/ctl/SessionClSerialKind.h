// A Camera Link serial library object of one companion session. The windowed tool has one object per
// library kind for the whole process; the companion may reach several cameras through the same kind at
// once, each on its own thread, so each session gets an object of its own (its own serial reference and
// bound functions). Scans, opens and closes of all sessions take turns: the 2001 kind selects a maker for
// the whole library before it opens a port, and another session's selection must not come in between.
// Reads and writes run freely; each goes to its own serial reference.
#pragma once

#include "link/ClSerialKind.h"

#include <memory>

class SessionClSerialKind : public ClSerialKind {
public:
    // linkMode 1 to 3; any other mode gives an object whose calls all fail.
    explicit SessionClSerialKind(int linkMode);
    ~SessionClSerialKind() override;

    int ScanEntries() override;
    std::string EntryName(int index) const override;
    int OpenEntry(int index) override;
    int SetBaudRate(int rate) override;
    bool SupportsBaudRate(int rate) override;
    int ReadBytes(std::uint8_t* buffer, int count, int timeoutMs) override;
    int WriteBytes(const std::uint8_t* buffer, int count, int timeoutMs) override;
    void CloseEntry() override;

private:
    std::unique_ptr<ClSerialKind> kind_;
};
