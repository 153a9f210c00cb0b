// Reading and writing one gamma table over the link.
#include "files/GammaTransfer.h"

#include "base/StrFormat.h"
#include "framework/MessageBox.h"
#include "framework/OpenDialogList.h"
#include "framework/ProgressSink.h"
#include "framework/UiHost.h"
#include "link/Command.h"

#include <chrono>
#include <string>

namespace {
constexpr const char* kReadMessage = "Now, reading camera gamma data  ";
constexpr const char* kWriteMessage = "Now, writing camera gamma data.";
constexpr const char* kColourNames[] = {"red", "green", "blue"};
constexpr const char* kTransferCaption = "Communication Error";

const char* ColourName(int colour) { return colour >= 0 && colour <= 2 ? kColourNames[colour] : "?"; }
}  // namespace

GammaTransfer::GammaTransfer(Command& command, ProgressSink* progress, GammaTableView* view)
    : command_(command), progress_(progress), view_(view)
{
}

// The protocol gives 0 both for an answer that refuses and for no answer at all; only a request that
// waited out its whole time-out went unanswered.
template <typename Request>
GammaTransfer::Outcome GammaTransfer::Run(Request request)
{
    const auto start = std::chrono::steady_clock::now();
    if (request()) return Outcome::Ok;
    const auto waited =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    // The protocol's own word counts too: a line that could not go out, or a shortened time-out.
    return waited >= timeoutMs_ || command_.LastRequestTimedOut() ? Outcome::TimedOut : Outcome::Refused;
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
    PumpMessages();
    return true;
}

int GammaTransfer::Read(GammaTable& table)
{
    int indexCommand = 0;
    int dataCommand = 0;
    if (!GammaCommandsOf(table.colourIndex, indexCommand, dataCommand)) return 0;
    WaitCursor cursor;
    GetOpenDialogList().DisableAll();
    if (progress_) {
        progress_->Open(kReadMessage);
        progress_->SetPosition(0);
    }
    int read = 0;
    for (; read < GammaTable::kEntries; ++read) {
        // Without its index the camera would answer for another entry: the read ends there.
        if (Run([&] { return command_.SendValue(indexCommand, read, timeoutMs_); }) != Outcome::Ok) break;
        int value = 0;
        if (Run([&] { return command_.QueryValue(dataCommand, value, timeoutMs_); }) != Outcome::Ok) break;
        table.tableData[static_cast<std::size_t>(read)] = value > GammaTable::kMaxLevel ? GammaTable::kMaxLevel : value;
        if (Advance(kReadMessage, read) && view_) view_->Reactivate();
    }
    if (progress_) progress_->Close();
    // The part that was read is shown, also after a stop.
    table.displayMode = GammaTable::kViewMode;
    if (view_) view_->ShowLoadedTable();
    GetOpenDialogList().EnableAll();
    const int result = read == GammaTable::kEntries ? 1 : 0;
    if (!result) {
        std::string text = StrFormat("Reading the %s gamma table stopped at entry %d of %d.",
                                     ColourName(table.colourIndex), read, GammaTable::kEntries);
        text += read == 0
                    ? std::string("\nNo entry was read; the table keeps its previous values.")
                    : StrFormat("\nEntries 0 to %d show the camera's values; the others keep their previous values.",
                                read - 1);
        ShowMessage(text, kTransferCaption, MessageButtons::Ok, MessageIcon::Exclamation);
    }
    return result;
}

int GammaTransfer::Write(const GammaTable& table, int colour)
{
    int indexCommand = 0;
    int dataCommand = 0;
    if (!GammaCommandsOf(colour, indexCommand, dataCommand)) return 0;
    WaitCursor cursor;
    GetOpenDialogList().DisableAll();
    if (progress_) {
        progress_->Open(kWriteMessage);
        progress_->SetPosition(0);
    }
    int written = 0;
    int refused = 0;
    int timeoutsInRow = 0;
    int stoppedAt = -1;
    for (int i = 0; i < GammaTable::kEntries; ++i) {
        Outcome outcome = Run([&] { return command_.SendValue(indexCommand, i, timeoutMs_); });
        // A value sent after a failed index would land on the previous entry: not sent.
        if (outcome == Outcome::Ok) {
            timeoutsInRow = 0;
            outcome = Run([&] {
                return command_.SendValue(dataCommand, table.tableData[static_cast<std::size_t>(i)], timeoutMs_);
            });
        }
        if (outcome == Outcome::Ok) {
            ++written;
            timeoutsInRow = 0;
        } else if (outcome == Outcome::Refused) {
            ++refused;
            timeoutsInRow = 0;
        } else if (++timeoutsInRow >= 2) {
            stoppedAt = i;
            break;
        }
        Advance(kWriteMessage, i);
    }
    GetOpenDialogList().EnableAll();
    if (progress_) progress_->Close();
    if (written == GammaTable::kEntries) return 1;

    std::string text = StrFormat("Writing the %s gamma table: %d of %d entries were written.", ColourName(colour),
                                 written, GammaTable::kEntries);
    if (refused > 0) text += StrFormat("\n%d entries were refused by the camera.", refused);
    const int unanswered =
        GammaTable::kEntries - written - refused - (stoppedAt >= 0 ? GammaTable::kEntries - 1 - stoppedAt : 0);
    if (unanswered > 0) text += StrFormat("\n%d entries were not answered.", unanswered);
    if (stoppedAt >= 0) {
        text += StrFormat("\nThe camera stopped answering: entries %d to %d were not sent.", stoppedAt + 1,
                          GammaTable::kEntries - 1);
    }
    ShowMessage(text, kTransferCaption, MessageButtons::Ok, MessageIcon::Exclamation);
    return 0;
}
