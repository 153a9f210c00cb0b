// Moving one gamma table between the camera and the tool: the index command selects an entry, the
// data command writes or reads it, 256 times, with the progress window advancing after every entry.
#pragma once

#include "framework/OperatorHosts.h"

#include "files/GammaTable.h"
#include "files/ProgressThrottle.h"
#include "link/BulkTally.h"

#include <string>

class Command;
class ProgressSink;

// What a transfer asks of the window that shows the table.
class GammaTableView {
public:
    virtual ~GammaTableView() = default;
    // After every entry, once pending window messages have run: the editor is the active window again.
    virtual void Reactivate() = 0;
    // After a read, also one that stopped early: "View Mode" and the table's curve redrawn.
    virtual void ShowLoadedTable() = 0;
};

// User-interface thread only; every request blocks until its answer or time-out while windows repaint.
class GammaTransfer {
public:
    static constexpr int kEntryTimeoutMs = 1000;

    // How a read ended: complete, or at which entry (zero-based, the count read) and how the request
    // that stopped it ended.
    struct ReadOutcome {
        int colour = 0;
        int entries = 0;  // read before the stop; kEntries when complete
        RequestOutcome failed;  // answered when complete
        bool Complete() const { return entries == GammaTable::kEntries; }
        // What the operator is told when the read stopped (caption "Communication Error").
        std::string Summary() const;
    };
    // How a write ended, counted per entry: the outcome of its index or, with the index taken, of its value.
    struct WriteOutcome {
        int colour = 0;
        BulkTally entries;
        int stoppedAt = -1;  // the entry at which the camera stopped answering (two in a row); -1: it did not
        int rest = 0;  // entries after the stop, never sent
        bool Complete() const { return entries.Answered() == GammaTable::kEntries; }
        bool CameraGone() const { return stoppedAt >= 0; }
        // What the operator is told when the write did not complete (caption "Communication Error").
        std::string Summary() const;
    };
    static constexpr const char* kCaption = "Communication Error";

    GammaTransfer(Command& command, ProgressSink* progress, GammaTableView* view, OperatorHosts hosts);

    // Reads the camera's table into `table`, complete when all 256 entries arrived. The first entry that
    // cannot be read ends the read and the table keeps all its previous values (half a table read is
    // no table). Values above 4095 are stored as 4095.
    ReadOutcome Read(GammaTable& table);
    // Writes `table` with the commands of `colour`. A refused entry is counted and the write goes on; the
    // second unanswered request in a row ends it.
    WriteOutcome Write(const GammaTable& table, int colour);

    void SetTimeoutMs(int timeoutMs) { timeoutMs_ = timeoutMs; }

private:
    // The progress after an entry, and the windows' messages: at most ten times a second (and always
    // after the first and the last entry). A repaint of the progress window costs milliseconds; after
    // every entry it would take a sixth of the transfer's time, twenty times a second looks the same.
    // True when messages ran.
    bool Advance(const char* base, int entry);

    Command& command_;
    ProgressSink* progress_;
    GammaTableView* view_;
    int timeoutMs_ = kEntryTimeoutMs;
    ProgressThrottle throttle_;
    OperatorHosts hosts_;
};
