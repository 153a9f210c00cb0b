// shading and gamma: the windowed tool's own table files and transfers.
#include "ctl/TableVerbs.h"

#include "ctl/CtlCamera.h"
#include "ctl/CtlExit.h"

#include "base/StrFormat.h"
#include "files/GammaFile.h"
#include "files/GammaTable.h"
#include "files/GammaTransfer.h"
#include "files/ShadingFile.h"
#include "files/ShadingTransfer.h"
#include "files/TableFileCheck.h"
#include "files/TextFile.h"
#include "framework/FileDialogHost.h"
#include "framework/MessageBox.h"
#include "link/Command.h"

namespace {

void Problem(const std::string& text) { ShowMessage(text, {}, MessageButtons::Ok, MessageIcon::Stop); }

std::string CheckDirection(const CtlArgs& args)
{
    return args.words[0] == "read" || args.words[0] == "write" ? std::string() : "read or write, not " + args.words[0];
}

int TimedOutOr(Command& command, int otherwise)
{
    return command.LastOutcome().Unanswered() ? kExitNoCamera : otherwise;
}

int ShadingRead(CtlContext& context, const std::string& path)
{
    Command& command = context.camera.Protocol();
    ShadingTable buffer;
    ShadingTransfer transfer(command, buffer, context.camera.Hosts());
    transfer.SetProgress(context.progress);
    if (!transfer.CheckShadingMode()) return TimedOutOr(command, kExitRefused);
    const ShadingTransfer::ReadOutcome outcome = transfer.ReadFromCamera();
    if (!outcome.complete) {
        Problem(outcome.Summary());
        return TimedOutOr(command, kExitRefused);
    }
    switch (TextFile::Save(path, ShadingFile::Lines(buffer))) {
        case TextFile::SaveResult::Saved:
            break;
        case TextFile::SaveResult::CannotCreate:
            Problem(CannotOpenText(path));
            return kExitFile;
        case TextFile::SaveResult::CannotWrite:
            Problem(path + "\nCouldn't write this file");
            return kExitFile;
    }
    context.Line(StrFormat("%s: %d entries", path.c_str(), ShadingTable::kTotal));
    context.Json(JsonText().Add("file", path).Add("entries", ShadingTable::kTotal));
    return kExitOk;
}

// A file of fewer rows changes only its first entries, as in the window, whose buffer holds the camera's
// table once read: the camera's own table is read first and keeps the entries the file does not hold.
int KeepCamerasRest(Command& command, ShadingTransfer& transfer, int rows)
{
    const ShadingTable fromFile = transfer.Buffer();
    const ShadingTransfer::ReadOutcome read = transfer.ReadFromCamera();
    if (!read.complete) {
        Problem(read.Summary() + "\nNothing was written.");
        return TimedOutOr(command, kExitRefused);
    }
    for (int colour = 0; colour < ShadingTable::kColours; ++colour) {
        for (int k = 0; k < rows; ++k) transfer.Buffer().At(colour, k) = fromFile.At(colour, k);
    }
    return kExitOk;
}

int ShadingWrite(CtlContext& context, const std::string& path)
{
    Command& command = context.camera.Protocol();
    ShadingTable buffer;
    ShadingTransfer transfer(command, buffer, context.camera.Hosts());
    transfer.SetProgress(context.progress);
    // The window's own file check, before the camera is asked anything: a file that cannot be read, a bad
    // line, or a table of another kind or length that the question declines sends nothing.
    int taken = 0;
    if (transfer.TakeFile(path, &taken) != ShadingTransfer::FileOutcome::Taken) return kExitFile;
    if (!transfer.CheckShadingMode()) return TimedOutOr(command, kExitRefused);
    if (taken < ShadingTable::kEntries) {
        if (const int status = KeepCamerasRest(command, transfer, taken)) return status;
    }
    const ShadingTransfer::WriteOutcome outcome = transfer.WriteToCamera();
    const bool complete = outcome.Complete();
    if (!complete) ShowMessage(outcome.Summary(), {}, MessageButtons::Ok, MessageIcon::Exclamation);
    context.Line(StrFormat("%s: %d entries from %d line(s) written, %d refused", path.c_str(),
                           outcome.entries.Answered(), taken, outcome.Refused()));
    context.Json(JsonText()
                     .Add("file", path)
                     .Add("lines_taken", taken)
                     .Add("written", outcome.entries.Answered())
                     .Add("refused", outcome.Refused())
                     .Add("timed_out", outcome.TimedOut())
                     .Add("not_sent", outcome.skipped)
                     .Add("camera_gone", outcome.cameraGone)
                     .Add("closed", outcome.closed));
    if (outcome.cameraGone) return kExitNoCamera;
    return complete ? kExitOk : kExitRefused;
}

int RunShading(CtlContext& context, const CtlArgs& args)
{
    return args.words[0] == "read" ? ShadingRead(context, args.words[1]) : ShadingWrite(context, args.words[1]);
}

int GammaRead(CtlContext& context, const std::string& path)
{
    Command& command = context.camera.Protocol();
    GammaTable red(0), green(1), blue(2);
    const GammaFile::Tables tables{&red, &green, &blue};
    GammaTransfer transfer(command, context.progress, nullptr, context.camera.Hosts());
    for (GammaTable* table : tables) {
        // An incomplete table is never written to a file as if it were the camera's.
        if (!transfer.Read(*table)) return TimedOutOr(command, kExitRefused);
    }
    if (!GammaFile::WriteFile(path, tables)) return kExitFile;
    context.Line(StrFormat("%s: 3 x %d entries", path.c_str(), GammaTable::kEntries));
    context.Json(JsonText().Add("file", path).Add("entries", 3 * GammaTable::kEntries));
    return kExitOk;
}

int GammaWrite(CtlContext& context, const std::string& path)
{
    Command& command = context.camera.Protocol();
    GammaTable red(0), green(1), blue(2);
    const GammaFile::Tables tables{&red, &green, &blue};
    // The window's own check of the file: one of another kind or length is written only when the question
    // is answered Yes.
    int rows = GammaTable::kEntries;
    const GammaFile::Accept check = TableFileCheck::GammaAccept(path);
    const GammaFile::Accept accept = [&rows, &check](const GammaFile::ReadResult& read) {
        rows = read.rowsStored;
        return check(read);
    };
    if (!GammaFile::ReadFile(path, tables, accept)) return kExitFile;
    GammaTransfer transfer(command, context.progress, nullptr, context.camera.Hosts());
    // A shorter file changes only its first entries; the others keep the camera's values, as the window's
    // tables keep theirs.
    for (GammaTable* table : tables) {
        if (rows >= GammaTable::kEntries) break;
        GammaTable camera(table->colourIndex);
        if (!transfer.Read(camera)) return TimedOutOr(command, kExitRefused);
        for (int i = rows; i < GammaTable::kEntries; ++i) {
            table->tableData[static_cast<std::size_t>(i)] = camera.tableData[static_cast<std::size_t>(i)];
        }
    }
    int failed = 0;
    for (int colour = 0; colour < 3; ++colour) {
        if (transfer.Write(*tables[static_cast<std::size_t>(colour)], colour)) continue;
        ++failed;
        // The transfer has said what it wrote; a camera that stopped answering gets no further colour.
        if (command.LastOutcome().Unanswered()) return kExitNoCamera;
    }
    context.Line(StrFormat("%s: %d of 3 tables written", path.c_str(), 3 - failed));
    context.Json(JsonText().Add("file", path).Add("tables_written", 3 - failed));
    return failed == 0 ? kExitOk : kExitRefused;
}

int RunGamma(CtlContext& context, const CtlArgs& args)
{
    return args.words[0] == "read" ? GammaRead(context, args.words[1]) : GammaWrite(context, args.words[1]);
}

}  // namespace

void TableVerbs::Add(std::vector<CtlVerb>& verbs)
{
    verbs.push_back({"shading",
                     "shading read|write FILE.csv",
                     "The shading correction table (3 x 1024 entries) from the camera into a CSV file, or from\n"
                     "the file into the camera. The camera's shading correction must be on. A file that is not a\n"
                     "full shading table (a gamma file, one cut short) is written only with --yes; a shorter\n"
                     "file changes only its first entries. Exit 4 for a file that cannot be read or written\n"
                     "or that was declined; nothing is sent then.",
                     2,
                     2,
                     {},
                     CheckDirection,
                     RunShading});
    verbs.push_back({"gamma",
                     "gamma read|write FILE.csv",
                     "The three gamma tables (red, green, blue, 256 entries each) from the camera into a CSV\n"
                     "file, or from the file into the camera. A file that is not a full gamma table (a shading\n"
                     "file, one cut short) is written only with --yes; a shorter file changes only its first\n"
                     "entries. Exit 4 for a file that cannot be read or written or that was declined.",
                     2,
                     2,
                     {},
                     CheckDirection,
                     RunGamma});
}
