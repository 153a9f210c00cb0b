// shading and gamma: the windowed tool's own table files and transfers.
#include "ctl/TableVerbs.h"

#include "ctl/CtlCamera.h"
#include "ctl/CtlExit.h"
#include "ctl/StderrMessageHost.h"

#include "base/StrFormat.h"
#include "files/GammaFile.h"
#include "files/GammaTable.h"
#include "files/GammaTransfer.h"
#include "files/ShadingTransfer.h"
#include "framework/MessageBox.h"
#include "link/Command.h"
#include "operations/GammaActions.h"
#include "operations/ShadingActions.h"

namespace {

void Problem(MessageHost& messages, const std::string& text) { ShowMessage(messages, text, {}, MessageButtons::Ok, MessageIcon::Stop); }

std::string CheckDirection(const CtlArgs& args)
{
    return args.words[0] == "read" || args.words[0] == "write" ? std::string() : "read or write, not " + args.words[0];
}

// A request that failed: a camera that did not answer it, or one that refused.
int ExitOf(const RequestOutcome& failed) { return failed.Unanswered() ? kExitNoCamera : kExitRefused; }

int ShadingRead(CtlContext& context, const std::string& path)
{
    ShadingTable buffer;
    ShadingTransfer transfer(context.camera.Protocol(), buffer, context.camera.Hosts());
    transfer.SetProgress(context.progress);
    ShadingActions actions(transfer, context.messages, nullptr);
    if (const ShadingActions::ModeCheck mode = actions.CheckShadingMode(); !mode.on) return ExitOf(mode.query);
    const ShadingTransfer::ReadOutcome outcome = transfer.ReadFromCamera();
    if (!actions.ShowRead(outcome)) return ExitOf(outcome.failed);
    if (!actions.SaveFile(path)) return kExitFile;
    context.Line(StrFormat("%s: %d entries", path.c_str(), ShadingTable::kTotal));
    context.Json(JsonText().Add("file", path).Add("entries", ShadingTable::kTotal));
    return kExitOk;
}

// A file of fewer rows changes only its first entries, as in the window, whose buffer holds the camera's
// table once read: the camera's own table is read first and keeps the entries the file does not hold.
int KeepCamerasRest(MessageHost& messages, ShadingTransfer& transfer, int rows)
{
    const ShadingTable fromFile = transfer.Buffer();
    const ShadingTransfer::ReadOutcome read = transfer.ReadFromCamera();
    if (!read.complete) {
        Problem(messages, read.Summary() + "\nNothing was written.");
        return ExitOf(read.failed);
    }
    for (int colour = 0; colour < ShadingTable::kColours; ++colour) {
        for (int k = 0; k < rows; ++k) transfer.Buffer().At(colour, k) = fromFile.At(colour, k);
    }
    return kExitOk;
}

int ShadingWrite(CtlContext& context, const std::string& path)
{
    ShadingTable buffer;
    ShadingTransfer transfer(context.camera.Protocol(), buffer, context.camera.Hosts());
    transfer.SetProgress(context.progress);
    ShadingActions actions(transfer, context.messages, nullptr);
    // The window's own file check, before the camera is asked anything: a file that cannot be read, a bad
    // line, or a table of another kind or length that the question declines sends nothing.
    int taken = 0;
    if (actions.TakeFile(path, &taken) != ShadingActions::FileOutcome::Taken) return kExitFile;
    if (const ShadingActions::ModeCheck mode = actions.CheckShadingMode(); !mode.on) return ExitOf(mode.query);
    if (taken < ShadingTable::kEntries) {
        if (const int status = KeepCamerasRest(context.messages, transfer, taken)) return status;
    }
    const ShadingTransfer::WriteOutcome outcome = transfer.WriteToCamera();
    const bool complete = actions.ShowWrite(outcome);
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
    GammaTable red(0), green(1), blue(2);
    const GammaFile::Tables tables{&red, &green, &blue};
    GammaTransfer transfer(context.camera.Protocol(), context.progress, nullptr, context.camera.Hosts());
    for (GammaTable* table : tables) {
        // An incomplete table is never written to a file as if it were the camera's.
        const GammaTransfer::ReadOutcome read = transfer.Read(*table);
        if (!GammaActions::ShowRead(context.messages, read)) return ExitOf(read.failed);
    }
    if (!GammaActions::WriteFile(context.messages, path, tables)) return kExitFile;
    context.Line(StrFormat("%s: 3 x %d entries", path.c_str(), GammaTable::kEntries));
    context.Json(JsonText().Add("file", path).Add("entries", 3 * GammaTable::kEntries));
    return kExitOk;
}

// A shorter file changes only its first entries; the others keep the camera's values, as the window's
// tables keep theirs. 0 when they are in, else the exit status.
int KeepCamerasGammaRest(CtlContext& context, GammaTransfer& transfer, const GammaFile::Tables& tables, int rows)
{
    for (GammaTable* table : tables) {
        if (rows >= GammaTable::kEntries) break;
        GammaTable camera(table->colourIndex);
        const GammaTransfer::ReadOutcome read = transfer.Read(camera);
        if (!GammaActions::ShowRead(context.messages, read)) return ExitOf(read.failed);
        for (int i = rows; i < GammaTable::kEntries; ++i) {
            table->tableData[static_cast<std::size_t>(i)] = camera.tableData[static_cast<std::size_t>(i)];
        }
    }
    return kExitOk;
}

int GammaWrite(CtlContext& context, const std::string& path)
{
    GammaTable red(0), green(1), blue(2);
    const GammaFile::Tables tables{&red, &green, &blue};
    // The window's own check of the file: one of another kind or length is written only when the question
    // is answered Yes.
    const GammaFile::FileRead file = GammaActions::ReadFileRows(context.messages, path, tables);
    if (file.status != GammaFile::FileStatus::Kept) return kExitFile;
    GammaTransfer transfer(context.camera.Protocol(), context.progress, nullptr, context.camera.Hosts());
    if (const int status = KeepCamerasGammaRest(context, transfer, tables, file.read.rowsStored)) return status;
    int failed = 0;
    for (int colour = 0; colour < 3; ++colour) {
        const GammaTransfer::WriteOutcome written = transfer.Write(*tables[static_cast<std::size_t>(colour)], colour);
        if (GammaActions::ShowWrite(context.messages, written)) continue;
        ++failed;
        // The box has said what was written; a camera that stopped answering gets no further colour.
        if (written.CameraGone()) return kExitNoCamera;
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
