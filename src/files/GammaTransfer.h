// Moving one gamma table between the camera and the tool: the index command selects an entry, the
// data command writes or reads it, 256 times, with the progress window advancing after every entry.
#pragma once

#include "framework/OperatorHosts.h"

#include "files/GammaTable.h"
#include "files/ProgressThrottle.h"

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

    GammaTransfer(Command& command, ProgressSink* progress, GammaTableView* view, OperatorHosts hosts);

    // Reads the camera's table into `table`: 1 when all 256 entries arrived. The first entry that
    // cannot be read ends the read and the table keeps all its previous values (half a table read is
    // no table); one message says where it stopped. Values above 4095 are stored as 4095.
    int Read(GammaTable& table);
    // Writes `table` with the commands of `colour`: 1 when the camera took every entry. A refused entry
    // is counted and the write goes on; the second unanswered request in a row ends it. When anything
    // failed, one message at the end says what was written and what was not.
    int Write(const GammaTable& table, int colour);

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
