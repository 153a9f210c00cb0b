// The three "Correction Data" buttons and what the operator sees of them: the mode check, the file dialogs
// (in the working folder, "*.csv"), the question before a file that does not look like a full shading
// table, and the boxes of a transfer or file that failed. ShadingTransfer does the work.
#pragma once

#include "files/ShadingTransfer.h"

#include <string>

class FileDialogHost;
class MessageHost;

class ShadingActions {
public:
    // How a file reached the buffer: taken (a file of more than 1024 data lines too, after "Too many
    // data"), or why not, each after its message.
    enum class FileOutcome { Taken, CannotOpen, BadFormat, Declined };
    // The shading mode check: on, or not (after "Shading Mode is OFF", or the query's failure shown).
    struct ModeCheck {
        RequestOutcome query;
        bool on = false;
    };

    // Without file dialogs (the command-line companion names its files) the two buttons that open one do
    // nothing.
    ShadingActions(ShadingTransfer& transfer, MessageHost& messages, FileDialogHost* fileDialogs);

    // "Read ( camera -> file )": mode check, read into the buffer, save dialog, file.
    void ReadToFile();
    // "Write ( file -> camera )": mode check, open dialog, file into the buffer, write to the camera.
    void WriteFromFile();
    // "Store in flash memory": 1 when the camera took it; 0 after its failure.
    int StoreInFlash();

    ModeCheck CheckShadingMode();
    // The file at `path` into the buffer: read whole and, unless it looks like a full table the tool wrote,
    // only when the question is answered Yes. Anything but Taken leaves the buffer as it was. `taken`
    // (when given) gets the number of data lines the file held, up to 1024.
    FileOutcome TakeFile(const std::string& path, int* taken = nullptr);
    // The buffer into the file at `path`: true when saved; else after its box (stop icon).
    bool SaveFile(const std::string& path);
    // The box after a read or a write that did not complete; true when it completed.
    bool ShowRead(const ShadingTransfer::ReadOutcome& outcome);
    bool ShowWrite(const ShadingTransfer::WriteOutcome& outcome);

    ShadingTransfer& Transfer() { return transfer_; }

private:
    bool Choose(bool save, std::string& path);
    void Stop(const std::string& text);

    ShadingTransfer& transfer_;
    MessageHost& messages_;
    FileDialogHost* fileDialogs_;
};
