// Shading data between camera, buffer and files.
#include "files/ShadingTransfer.h"

#include "base/StrFormat.h"
#include "files/ShadingFile.h"
#include "framework/OpenDialogList.h"
#include "framework/ProgressSink.h"
#include "framework/UiHost.h"
#include "link/Command.h"
#include "tables/CommandTable.h"

namespace {

constexpr const char* kReadMessage = "Now, reading camera shading data";
constexpr const char* kWriteMessage = "Now, writing camera shading data";

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

ShadingTransfer::ShadingTransfer(Command& command, ShadingTable& buffer, OperatorHosts hosts)
    : command_(command), buffer_(buffer), hosts_(hosts)
{
}

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

RequestOutcome ShadingTransfer::AskShadingMode() { return command_.Ask(cmd::SDM, kModeTimeoutMs); }

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

TextFile::SaveResult ShadingTransfer::SaveFile(const std::string& path) const
{
    return TextFile::Save(path, ShadingFile::Lines(buffer_));
}

ShadingTransfer::FileRead ShadingTransfer::ReadFile(const std::string& path) const
{
    FileRead read;
    std::string content;
    if (!TextFile::Load(path, content)) return read;
    read.table = buffer_;
    const ShadingFile::ParseResult parsed = ShadingFile::Parse(content, read.table);
    read.status = parsed.status == ShadingFile::Status::BadFormat ? FileStatus::BadFormat : FileStatus::Parsed;
    read.firstLine = parsed.firstLine;
    read.taken = parsed.taken;
    read.tooMany = parsed.status == ShadingFile::Status::TooMany;
    return read;
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

RequestOutcome ShadingTransfer::StoreInFlash() { return command_.Set(cmd::SDDA, 0, kCloseTimeoutMs); }
