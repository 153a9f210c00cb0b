// The shading correction table between the camera, the tool's buffer and CSV files: what the three
// "Correction Data" buttons (ShadingActions) are made of.
#pragma once

#include "framework/OperatorHosts.h"

#include "files/ProgressThrottle.h"
#include "files/ShadingTable.h"
#include "files/TextFile.h"
#include "link/BulkTally.h"

#include <string>

class Command;
class ProgressSink;

class ShadingTransfer {
public:
    static constexpr int kModeTimeoutMs = 5000;
    static constexpr int kSelectorTimeoutMs = 3000;
    static constexpr int kEntryTimeoutMs = 1000;
    static constexpr int kCloseTimeoutMs = 5000;  // SDDU and SDDA

    // How a camera read ended: complete, or at which colour and one-based entry it stopped, and how the
    // request that stopped it ended.
    struct ReadOutcome {
        bool complete = false;
        int colour = 0;
        int entry = 0;
        RequestOutcome failed;
        // What the operator is told when the read stopped.
        std::string Summary() const;
    };
    // How a camera write ended, counted per table entry (3072): the outcome of its index or, with the
    // index taken, of its value. A colour whose selector failed counts its entries as not sent. The table
    // is closed with SDDU only when every request was acknowledged.
    struct WriteOutcome {
        BulkTally entries;
        bool cameraGone = false;  // two unanswered requests in a row ended the write
        int colour = 0;  // cameraGone: where it ended
        int entry = 0;
        int skipped = 0;  // entries never sent: colours without their selector, and the rest after a stop
        bool closed = false;  // SDDU acknowledged

        int Refused() const { return entries.Refused(); }
        int TimedOut() const { return entries.TimedOut() + entries.NotSent() - skipped; }
        bool Complete() const { return entries.AllAnswered() && closed; }
        // What the operator is told when the write did not complete.
        std::string Summary() const;
    };

    // How a read of a table file ended; the buffer is not touched by it.
    enum class FileStatus { Parsed, CannotOpen, BadFormat };
    struct FileRead {
        FileStatus status = FileStatus::CannotOpen;
        std::string firstLine;  // what the file says it holds
        int taken = 0;  // data lines, up to 1024
        bool tooMany = false;  // the file held more than 1024 data lines; the first 1024 were taken
        ShadingTable table;  // the buffer with the file's rows over it
    };

    // The buffer is the main window's and lives as long as it does.
    ShadingTransfer(Command& command, ShadingTable& buffer, OperatorHosts hosts);

    void SetProgress(ProgressSink* progress) { progress_ = progress; }

    // The file at `path`, read whole and checked, over a copy of the buffer. Whether it is kept (Keep)
    // is the caller's decision: a file that does not look like a full table the tool wrote is kept only
    // when the operator says so.
    FileRead ReadFile(const std::string& path) const;
    void Keep(const FileRead& read) { buffer_ = read.table; }
    // The buffer into the file at `path`.
    TextFile::SaveResult SaveFile(const std::string& path) const;
    // "Store in flash memory" (SDDA).
    RequestOutcome StoreInFlash();
    // The camera's shading mode query: answered with 0 when the correction is off. Without an answer
    // nothing is known about the mode, and nothing is to be sent.
    RequestOutcome AskShadingMode();

    // The loops alone, with progress window and the open dialogs disabled. A read goes into the buffer
    // only when it is complete.
    ReadOutcome ReadFromCamera();
    WriteOutcome WriteToCamera();

    // The running count shown after the base message, e.g. "Now, reading camera shading data  (1025 / 3072)".
    static std::string ProgressText(const char* base, int count);

    ShadingTable& Buffer() { return buffer_; }

private:
    void ShowProgress(const char* base, int count);

    Command& command_;
    ShadingTable& buffer_;
    ProgressSink* progress_ = nullptr;
    ProgressThrottle throttle_;
    OperatorHosts hosts_;
};
