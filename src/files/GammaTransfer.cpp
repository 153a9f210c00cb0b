// Reading and writing one gamma table over the link.
#include "files/GammaTransfer.h"

#include "base/StrFormat.h"
#include "framework/OpenDialogList.h"
#include "framework/ProgressSink.h"
#include "framework/UiHost.h"
#include "link/BulkTally.h"
#include "link/Command.h"

#include <array>
#include <string>

namespace {
constexpr const char* kReadMessage = "Now, reading camera gamma data  ";
constexpr const char* kWriteMessage = "Now, writing camera gamma data.";
constexpr const char* kColourNames[] = {"red", "green", "blue"};

const char* ColourName(int colour) { return colour >= 0 && colour <= 2 ? kColourNames[colour] : "?"; }
}  // namespace

GammaTransfer::GammaTransfer(Command& command, ProgressSink* progress, GammaTableView* view, OperatorHosts hosts)
    : command_(command), progress_(progress), view_(view), hosts_(hosts)
{
}

bool GammaTransfer::Advance(const char* base, int entry)
{
    if (!throttle_.Due(entry == 0 || entry == GammaTable::kEntries - 1)) return false;
    // The progress bar repaints at once when its position changes: it is moved only when windows get
    // their messages, so what the operator sees is always the entry just done.
    if (progress_) {
        progress_->SetMessage(std::string(base) + StrFormat("  (%d / %d)", entry + 1, GammaTable::kEntries));
        progress_->SetPosition(entry * 100 / GammaTable::kEntries);
    }
    hosts_.ui.PumpMessages(false);
    return true;
}

GammaTransfer::ReadOutcome GammaTransfer::Read(GammaTable& table)
{
    ReadOutcome outcome;
    outcome.colour = table.colourIndex;
    int indexCommand = 0;
    int dataCommand = 0;
    if (!GammaCommandsOf(table.colourIndex, indexCommand, dataCommand)) return outcome;
    WaitCursor cursor(hosts_.ui);
    hosts_.openDialogs.DisableAll();
    if (progress_) {
        progress_->Open(kReadMessage);
        progress_->SetPosition(0);
    }
    std::array<int, GammaTable::kEntries> read{};
    int& count = outcome.entries;
    RequestOutcome& failed = outcome.failed;
    for (; count < GammaTable::kEntries; ++count) {
        // Without its index the camera would answer for another entry: the read ends there.
        failed = command_.Set(indexCommand, count, timeoutMs_);
        if (!failed) break;
        failed = command_.Ask(dataCommand, timeoutMs_);
        if (!failed) break;
        const int value = failed.value.intValue;
        read[static_cast<std::size_t>(count)] = value > GammaTable::kMaxLevel ? GammaTable::kMaxLevel : value;
        if (Advance(kReadMessage, count) && view_) view_->Reactivate();
    }
    if (progress_) progress_->Close();
    if (outcome.Complete()) {
        table.tableData = read;
        table.displayMode = GammaTable::kViewMode;
        if (view_) view_->ShowLoadedTable();
    }
    hosts_.openDialogs.EnableAll();
    return outcome;
}

std::string GammaTransfer::ReadOutcome::Summary() const
{
    if (Complete()) return {};
    std::string text = StrFormat("Reading the %s gamma table stopped at entry %d of %d.", ColourName(colour), entries,
                                 GammaTable::kEntries);
    if (failed.Refused()) text += "\nThe camera answered: " + failed.FailureText();
    text += "\nThe table keeps its previous values.";
    return text;
}

GammaTransfer::WriteOutcome GammaTransfer::Write(const GammaTable& table, int colour)
{
    WriteOutcome outcome;
    outcome.colour = colour;
    int indexCommand = 0;
    int dataCommand = 0;
    if (!GammaCommandsOf(colour, indexCommand, dataCommand)) return outcome;
    WaitCursor cursor(hosts_.ui);
    hosts_.openDialogs.DisableAll();
    if (progress_) {
        progress_->Open(kWriteMessage);
        progress_->SetPosition(0);
    }
    BulkTally& tally = outcome.entries;
    for (int i = 0; i < GammaTable::kEntries; ++i) {
        RequestOutcome sent = command_.Set(indexCommand, i, timeoutMs_);
        // A value sent after a failed index would land on the previous entry: not sent.
        if (sent) sent = command_.Set(dataCommand, table.tableData[static_cast<std::size_t>(i)], timeoutMs_);
        tally.Add(sent, std::to_string(i));
        if (tally.CameraGone()) {
            outcome.stoppedAt = i;
            outcome.rest = GammaTable::kEntries - 1 - i;
            tally.AddNotSent(outcome.rest, {});
            break;
        }
        Advance(kWriteMessage, i);
    }
    hosts_.openDialogs.EnableAll();
    if (progress_) progress_->Close();
    return outcome;
}

std::string GammaTransfer::WriteOutcome::Summary() const
{
    if (Complete()) return {};
    const BulkTally& tally = entries;
    std::string text = StrFormat("Writing the %s gamma table: %d of %d entries were written.", ColourName(colour),
                                 tally.Answered(), GammaTable::kEntries);
    if (tally.Refused() > 0) {
        text += StrFormat("\n%d entries were refused by the camera: %s.", tally.Refused(), tally.RefusedList().c_str());
        text += "\nThe camera answered: " + tally.FirstRefusal();
    }
    if (const int unanswered = tally.TimedOut() + tally.NotSent() - rest; unanswered > 0) {
        text += StrFormat("\n%d entries were not answered: %s.", unanswered,
                          BulkTally::ListText(tally.UnansweredNames(), unanswered).c_str());
    }
    if (stoppedAt >= 0 && stoppedAt < GammaTable::kEntries - 1) {
        text += StrFormat("\nThe camera stopped answering: entries %d to %d were not sent.", stoppedAt + 1,
                          GammaTable::kEntries - 1);
    } else if (stoppedAt >= 0) {
        text += "\nThe camera stopped answering.";
    }
    return text;
}
