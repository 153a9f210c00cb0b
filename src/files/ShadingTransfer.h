// The shading correction table between the camera, the tool's buffer and CSV files: the three
// "Correction Data" buttons.
#pragma once

#include "framework/OperatorHosts.h"

#include "files/ProgressThrottle.h"
#include "files/ShadingTable.h"
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

    // How a file reached the buffer ("Write ( file -> camera )" after its dialog): taken (a file of more
    // than 1024 data lines too, after "Too many data"), or why not, each after its message.
    enum class FileOutcome { Taken, CannotOpen, BadFormat, Declined };

    // The buffer is the main window's and lives as long as it does.
    ShadingTransfer(Command& command, ShadingTable& buffer, OperatorHosts hosts);

    void SetProgress(ProgressSink* progress) { progress_ = progress; }

    // "Read ( camera -> file )": mode check, read into the buffer, save dialog, file.
    void ReadToFile();
    // "Write ( file -> camera )": mode check, open dialog, file into the buffer, write to the camera.
    void WriteFromFile();
    // The file at `path` into the buffer: read whole and, unless it looks like a full table the tool wrote,
    // only when the operator says to write it. Anything but Taken leaves the buffer as it was. `taken`
    // (when given) gets the number of data lines the file held, up to 1024.
    FileOutcome TakeFile(const std::string& path, int* taken = nullptr);
    // "Store in flash memory".
    int StoreInFlash();

    // The loops alone, with progress window and the open dialogs disabled. A read goes into the buffer
    // only when it is complete.
    ReadOutcome ReadFromCamera();
    WriteOutcome WriteToCamera();

    // 1 when the camera's shading correction is on; 0 after "Shading Mode is OFF" or a failed query.
    int CheckShadingMode();

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
