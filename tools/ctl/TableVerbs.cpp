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
#include "files/TextFile.h"
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
    ShadingTransfer transfer(command, buffer);
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
            Problem(path + "\nCouldn't open this file");
            return kExitRefused;
        case TextFile::SaveResult::CannotWrite:
            Problem(path + "\nCouldn't write this file");
            return kExitRefused;
    }
    context.Line(StrFormat("%s: %d entries", path.c_str(), ShadingTable::kTotal));
    context.Json(JsonText().Add("file", path).Add("entries", ShadingTable::kTotal));
    return kExitOk;
}

int ShadingWrite(CtlContext& context, const std::string& path)
{
    Command& command = context.camera.Protocol();
    std::string content;
    if (!TextFile::Load(path, content)) {
        Problem(path + "\nCouldn't open this file");
        return kExitUsage;
    }
    ShadingTable buffer;
    // The file is checked before the camera is asked anything; a bad file sends nothing.
    const ShadingFile::ParseResult parsed = ShadingFile::Parse(content, buffer);
    if (parsed.status == ShadingFile::Status::BadFormat) {
        Problem("Invaild data count format");
        return kExitUsage;
    }
    if (parsed.status == ShadingFile::Status::TooMany) Problem("Too many data");
    ShadingTransfer transfer(command, buffer);
    transfer.SetProgress(context.progress);
    if (!transfer.CheckShadingMode()) return TimedOutOr(command, kExitRefused);
    const ShadingTransfer::WriteOutcome outcome = transfer.WriteToCamera();
    const bool complete = outcome.Complete();
    if (!complete) ShowMessage(outcome.Summary(), {}, MessageButtons::Ok, MessageIcon::Exclamation);
    context.Line(StrFormat("%s: %d entries from %d line(s) written, %d refused", path.c_str(),
                           outcome.entries.Answered(), parsed.taken, outcome.Refused()));
    context.Json(JsonText()
                     .Add("file", path)
                     .Add("lines_taken", parsed.taken)
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
    GammaTransfer transfer(command, context.progress, nullptr);
    for (GammaTable* table : tables) {
        // An incomplete table is never written to a file as if it were the camera's.
        if (!transfer.Read(*table)) return TimedOutOr(command, kExitRefused);
    }
    if (!GammaFile::WriteFile(path, tables)) return kExitRefused;
    context.Line(StrFormat("%s: 3 x %d entries", path.c_str(), GammaTable::kEntries));
    context.Json(JsonText().Add("file", path).Add("entries", 3 * GammaTable::kEntries));
    return kExitOk;
}

int GammaWrite(CtlContext& context, const std::string& path)
{
    Command& command = context.camera.Protocol();
    GammaTable red(0), green(1), blue(2);
    const GammaFile::Tables tables{&red, &green, &blue};
    if (!GammaFile::ReadFile(path, tables)) return kExitUsage;
    GammaTransfer transfer(command, context.progress, nullptr);
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
                     "the file into the camera. The camera's shading correction must be on.",
                     2,
                     2,
                     {},
                     CheckDirection,
                     RunShading});
    verbs.push_back({"gamma",
                     "gamma read|write FILE.csv",
                     "The three gamma tables (red, green, blue, 256 entries each) from the camera into a CSV\n"
                     "file, or from the file into the camera.",
                     2,
                     2,
                     {},
                     CheckDirection,
                     RunGamma});
}
