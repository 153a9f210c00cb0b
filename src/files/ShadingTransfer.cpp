// Shading data between camera, buffer and files.
#include "files/ShadingTransfer.h"

#include "base/StrFormat.h"
#include "files/ShadingFile.h"
#include "files/TableFileCheck.h"
#include "files/TextFile.h"
#include "framework/FileDialogHost.h"
#include "framework/MessageBox.h"
#include "framework/OpenDialogList.h"
#include "framework/ProgressSink.h"
#include "framework/UiHost.h"
#include "link/Command.h"
#include "tables/CommandTable.h"

#include <filesystem>

namespace {

constexpr const char* kReadMessage = "Now, reading camera shading data";
constexpr const char* kWriteMessage = "Now, writing camera shading data";

// The shading files start in the working folder.
std::string WorkingFolder()
{
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::current_path(ec);
    if (ec) return {};
    const std::u8string text = folder.u8string();
    return std::string(text.begin(), text.end());
}

void StopMessage(MessageHost& messages, const std::string& text) { ShowMessage(messages, text, {}, MessageButtons::Ok, MessageIcon::Stop); }

// A transfer keeps every dialog disabled, shows the wait cursor and the progress window throughout.
class TransferScope {
public:
    TransferScope(const OperatorHosts& hosts, ProgressSink* progress, const char* message)
        : dialogs_(hosts.openDialogs), cursor_(hosts.ui), progress_(progress)
    {
        dialogs_.DisableAll();
        if (progress_) progress_->Open(message);
    }
    ~TransferScope()
    {
        if (progress_) progress_->Close();
        dialogs_.EnableAll();
    }
    TransferScope(const TransferScope&) = delete;
    TransferScope& operator=(const TransferScope&) = delete;

private:
    OpenDialogList& dialogs_;
    WaitCursor cursor_;
    ProgressSink* progress_;
};

}  // namespace

ShadingTransfer::ShadingTransfer(Command& command, ShadingTable& buffer, OperatorHosts hosts) : command_(command), buffer_(buffer), hosts_(hosts)
{}

std::string ShadingTransfer::ProgressText(const char* base, int count)
{
    return StrFormat("%s  (%d / %d)", base, count, ShadingTable::kTotal);
}

void ShadingTransfer::ShowProgress(const char* base, int count)
{
    if (!throttle_.Due(count == 1 || count == ShadingTable::kTotal)) return;
    if (progress_) {
        progress_->SetMessage(ProgressText(base, count));
        progress_->SetPosition(count * 100 / ShadingTable::kTotal);
    }
    hosts_.ui.PumpMessages(false);
}

int ShadingTransfer::CheckShadingMode()
{
    // Without an answer nothing is known about the mode: the operation ends before anything is sent.
    const RequestOutcome mode = command_.Ask(cmd::SDM, kModeTimeoutMs);
    ShowCommunicationError(hosts_.messages, mode.FailureText());
    if (!mode) return 0;
    if (mode.value.intValue == 0) {
        StopMessage(hosts_.messages, "Shading Mode is OFF");
        return 0;
    }
    return 1;
}

ShadingTransfer::ReadOutcome ShadingTransfer::ReadFromCamera()
{
    ReadOutcome outcome;
    ShadingTable read;
    TransferScope scope(hosts_, progress_, kReadMessage);
    for (int colour = 0; colour < ShadingTable::kColours; ++colour) {
        outcome.colour = colour;
        outcome.entry = 1;
        outcome.failed = command_.Set(cmd::SDDS, colour, kSelectorTimeoutMs);
        if (!outcome.failed) return outcome;
        for (int k = 1; k <= ShadingTable::kEntries; ++k) {
            outcome.entry = k;
            // A table with a hole is no table: the read ends at the first request that fails.
            outcome.failed = command_.Set(cmd::SDDI, k, kEntryTimeoutMs);
            if (!outcome.failed) return outcome;
            outcome.failed = command_.Ask(cmd::SDD, kEntryTimeoutMs);
            if (!outcome.failed) return outcome;
            read.At(colour, k - 1) = outcome.failed.value.intValue;
            ShowProgress(kReadMessage, colour * ShadingTable::kEntries + k);
        }
    }
    buffer_ = read;
    outcome.complete = true;
    outcome.failed = {};
    return outcome;
}

std::string ShadingTransfer::ReadOutcome::Summary() const
{
    if (complete) return {};
    const std::string why = failed.Refused() ? "the camera answered \"" + failed.FailureText() + "\""
                                             : std::string("the camera did not answer");
    return StrFormat(
        "Reading the shading data stopped at %s entry %d of %d: %s.\n"
        "The table is incomplete and was not kept.",
        ShadingTable::ColourName(colour), entry, ShadingTable::kEntries, why.c_str());
}

ShadingTransfer::WriteOutcome ShadingTransfer::WriteToCamera()
{
    WriteOutcome outcome;
    BulkTally& entries = outcome.entries;
    auto entryName = [](int colour, int k) { return StrFormat("%s %d", ShadingTable::ColourName(colour), k); };
    // The stop: the rest of the table from (colour, entry) on is counted as not sent.
    auto stop = [&](int colour, int entry) {
        outcome.cameraGone = true;
        outcome.colour = colour;
        outcome.entry = entry;
        const int rest = ShadingTable::kTotal - (colour * ShadingTable::kEntries + entry);
        outcome.skipped += rest;
        entries.AddNotSent(rest, {});
    };
    {
        TransferScope scope(hosts_, progress_, kWriteMessage);
        for (int colour = 0; colour < ShadingTable::kColours && !outcome.cameraGone; ++colour) {
            const RequestOutcome selected = entries.Track(command_.Set(cmd::SDDS, colour, kSelectorTimeoutMs));
            if (!selected) {
                if (entries.CameraGone()) {
                    stop(colour, 0);
                    break;
                }
                // Entries sent now would land in another colour's table: none of this colour is sent.
                outcome.skipped += ShadingTable::kEntries;
                entries.AddNotSent(ShadingTable::kEntries,
                                   entryName(colour, 1) + " to " + entryName(colour, ShadingTable::kEntries));
                continue;
            }
            for (int k = 1; k <= ShadingTable::kEntries; ++k) {
                RequestOutcome written = command_.Set(cmd::SDDI, k, kEntryTimeoutMs);
                // A value after a refused index would overwrite the entry the camera still points at.
                if (written) written = command_.Set(cmd::SDD, buffer_.At(colour, k - 1), kEntryTimeoutMs);
                entries.Add(written, entryName(colour, k));
                if (entries.CameraGone()) {
                    stop(colour, k);
                    break;
                }
                ShowProgress(kWriteMessage, colour * ShadingTable::kEntries + k);
            }
        }
    }
    if (entries.AllAnswered()) outcome.closed = command_.Set(cmd::SDDU, 0, kCloseTimeoutMs).Answered();
    return outcome;
}

void ShadingTransfer::ReadToFile()
{
    if (!CheckShadingMode()) return;
    const ReadOutcome outcome = ReadFromCamera();
    if (!outcome.complete) {
        StopMessage(hosts_.messages, outcome.Summary());
        return;
    }
    FileDialogRequest request;
    request.mode = FileDialogMode::Save;
    request.startFolder = WorkingFolder();
    request.filters = {{"Camera shading data (*.csv)", "*.csv"}};
    request.defaultExtension = "csv";
    std::string path;
    if (ChooseFile(hosts_.fileDialogs, hosts_.messages, request, path) != 1) return;
    switch (TextFile::Save(path, ShadingFile::Lines(buffer_))) {
        case TextFile::SaveResult::Saved:
            break;
        case TextFile::SaveResult::CannotCreate:
            StopMessage(hosts_.messages, CannotOpenText(path));
            break;
        case TextFile::SaveResult::CannotWrite:
            StopMessage(hosts_.messages, path + "\nCouldn't write this file");
            break;
    }
}

void ShadingTransfer::WriteFromFile()
{
    if (!CheckShadingMode()) return;
    FileDialogRequest request;
    request.mode = FileDialogMode::Open;
    request.startFolder = WorkingFolder();
    request.filters = {{"Camera gamma data (*.csv)", "*.csv"}};
    request.defaultExtension = "csv";
    std::string path;
    if (ChooseFile(hosts_.fileDialogs, hosts_.messages, request, path) != 1) return;
    if (TakeFile(path) != FileOutcome::Taken) return;

    const WriteOutcome outcome = WriteToCamera();
    if (!outcome.Complete()) ShowMessage(hosts_.messages, outcome.Summary(), {}, MessageButtons::Ok, MessageIcon::Exclamation);
}

ShadingTransfer::FileOutcome ShadingTransfer::TakeFile(const std::string& path, int* taken)
{
    std::string content;
    if (!TextFile::Load(path, content)) {
        StopMessage(hosts_.messages, CannotOpenText(path));
        return FileOutcome::CannotOpen;
    }
    // The file reaches the buffer only when it was read whole and, unless it looks like a full table the
    // tool wrote, the operator has said to write it.
    ShadingTable read = buffer_;
    const ShadingFile::ParseResult parsed = ShadingFile::Parse(content, read);
    if (parsed.status == ShadingFile::Status::BadFormat) {
        StopMessage(hosts_.messages, "Invaild data count format");
        return FileOutcome::BadFormat;
    }
    if (!TableFileCheck::Confirm(path, parsed.firstLine, parsed.taken, TableFileCheck::Table::Shading))
        return FileOutcome::Declined;
    if (parsed.status == ShadingFile::Status::TooMany) StopMessage(hosts_.messages, "Too many data");
    buffer_ = read;
    if (taken) *taken = parsed.taken;
    return FileOutcome::Taken;
}

std::string ShadingTransfer::WriteOutcome::Summary() const
{
    std::string text = "Writing the shading data to the camera did not complete.";
    if (cameraGone) {
        text += StrFormat("\nThe camera stopped answering at %s entry %d; the rest was not sent.",
                          ShadingTable::ColourName(colour), entry);
    }
    if (Refused() > 0)
        text += StrFormat("\nEntries refused by the camera: %d (%s).", Refused(), entries.RefusedList().c_str());
    if (!entries.FirstRefusal().empty()) text += "\nThe camera answered: " + entries.FirstRefusal();
    if (TimedOut() > 0) text += StrFormat("\nEntries without an answer: %d.", TimedOut());
    if (skipped > 0) text += StrFormat("\nEntries not sent: %d.", skipped);
    if (!closed) text += "\nThe camera's table was not closed (SDDU not sent or not acknowledged).";
    return text;
}

int ShadingTransfer::StoreInFlash()
{
    const RequestOutcome stored = command_.Set(cmd::SDDA, 0, kCloseTimeoutMs);
    ShowCommunicationError(hosts_.messages, stored.FailureText());
    return stored ? 1 : 0;
}
