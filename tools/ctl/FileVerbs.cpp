// save, load, shading and gamma: the windowed tool's own file formats and transfers.
#include "ctl/FileVerbs.h"

#include "ctl/CtlCamera.h"
#include "ctl/CtlExit.h"
#include "ctl/StderrMessageHost.h"

#include "base/StrFormat.h"
#include "files/GammaFile.h"
#include "files/GammaTable.h"
#include "files/GammaTransfer.h"
#include "files/SettingFile.h"
#include "files/SettingFileFormat.h"
#include "files/ShadingFile.h"
#include "files/ShadingTransfer.h"
#include "files/TextFile.h"
#include "framework/MessageBox.h"
#include "link/Command.h"
#include "settings/ControlMode.h"
#include "tables/CameraModelInfo.h"

namespace {

void Problem(const std::string& text) { ShowMessage(text, {}, MessageButtons::Ok, MessageIcon::Stop); }

int NeedKnownModel(CtlCamera& camera)
{
    if (!camera.ModelCheck()) {
        Problem("The camera did not answer the model query.");
        return kExitNoCamera;
    }
    return camera.Model().IsKnown() ? kExitOk : kExitRefused;
}

SettingFileHooks Hooks(CtlCamera& camera)
{
    SettingFileHooks hooks;
    hooks.modelCheck = [&camera] { return camera.ModelCheck(); };
    return hooks;
}

std::string CheckDirection(const CtlArgs& args)
{
    return args.words[0] == "read" || args.words[0] == "write" ? std::string() : "read or write, not " + args.words[0];
}

int RunSave(CtlContext& context, const CtlArgs& args)
{
    CtlCamera& camera = context.camera;
    if (args.Has("--factory")) camera.Mode().Set(1);
    if (const int status = NeedKnownModel(camera)) return status;
    const CtlReadOutcome outcome = camera.ReadAll(context.progress);
    // A file holds only values the camera gave: a row it did not answer would go in as the tool's default.
    if (outcome.cameraGone || outcome.read != outcome.total) {
        Problem(StrFormat("%d of %d settings were read; %s was not written.", outcome.read, outcome.total,
                          args.words[0].c_str()));
        return outcome.cameraGone ? kExitNoCamera : kExitRefused;
    }
    SettingFile file(camera.Protocol(), camera.Table(), camera.Mode(), camera.Settings(), camera.Model(),
                     Hooks(camera));
    const SettingFileVariant variant =
        args.Has("--shipping") ? SettingFileVariant::ShippingData : SettingFileVariant::AllData;
    if (!file.WriteSettingFile(args.words[0], variant)) return kExitRefused;
    context.Line(
        StrFormat("%s: %d settings of %s", args.words[0].c_str(), outcome.read, camera.Model().modelName.c_str()));
    context.Json(JsonText()
                     .Add("file", args.words[0])
                     .Add("model", camera.Model().modelName)
                     .Add("settings", outcome.read)
                     .Add("factory", camera.Mode().IsFactory() && variant == SettingFileVariant::AllData));
    return kExitOk;
}

JsonText ReportJson(const SettingFileLoadReport& report)
{
    JsonText json;
    json.Add("lines", report.lineCount)
        .Add("applied", report.applied)
        .Add("refused", report.refused)
        .Add("unknown", report.unknown)
        .Add("not_on_model", report.notOnModel)
        .Add("factory_in_user_mode", report.factoryInUserMode)
        .Add("not_a_setting", report.notASetting)
        .Add("timed_out", report.timedOut)
        .Add("camera_gone", report.cameraGone);
    return json;
}

// What a load would do, without sending anything: the lines sorted as the load sorts them.
int DryRunLoad(CtlContext& context, const std::string& content)
{
    CtlCamera& camera = context.camera;
    using Kind = SettingFileFormat::LineKind;
    SettingFileLoadReport report;
    std::vector<std::string> wouldSend;
    const std::vector<std::string> lines = SettingFileFormat::SplitLines(content);
    report.lineCount = static_cast<int>(lines.size());
    for (const std::string& line : lines) {
        const SettingFileFormat::Line parsed =
            SettingFileFormat::Classify(line, camera.Table(), camera.Model().modelCode, camera.Mode().IsFactory());
        const std::string name = parsed.mnemonic.empty() ? line : parsed.mnemonic;
        switch (parsed.kind) {
            case Kind::Blank:
                break;
            case Kind::Setting:
                wouldSend.push_back(name + "=" + std::to_string(parsed.value));
                break;
            case Kind::ModelId:
                wouldSend.push_back("MD00=" + parsed.text);
                break;
            case Kind::NotASetting:
                report.notASetting.push_back(name);
                break;
            case Kind::UnknownMnemonic:
                report.unknown.push_back(name);
                break;
            case Kind::NotOnModel:
                report.notOnModel.push_back(name);
                break;
            case Kind::FactoryInUserMode:
                report.factoryInUserMode.push_back(name);
                break;
        }
    }
    for (const std::string& line : wouldSend) context.Line(line);
    const std::string summary = report.SummaryText();
    if (!summary.empty()) ShowMessage(summary, {}, MessageButtons::Ok, MessageIcon::Exclamation);
    JsonText json = ReportJson(report);
    json.Add("dry_run", true).Add("would_send", wouldSend);
    context.Json(json);
    return report.AllApplied() ? kExitOk : kExitRefused;
}

int RunLoad(CtlContext& context, const CtlArgs& args)
{
    CtlCamera& camera = context.camera;
    const std::string& path = args.words[0];
    std::string content;
    // The file is read before anything is sent: a missing file costs no camera time.
    if (!TextFile::Load(path, content)) {
        Problem(path + "\nCouldn't open this file");
        return kExitUsage;
    }
    if (!camera.ModelCheck()) {
        Problem("The camera did not answer the model query.");
        return kExitNoCamera;
    }
    if (args.Has("--dry-run")) return DryRunLoad(context, content);
    SettingFile file(camera.Protocol(), camera.Table(), camera.Mode(), camera.Settings(), camera.Model(),
                     Hooks(camera));
    file.SetProgress(context.progress);
    // The summary of what was not applied goes to standard error through the message host.
    if (!file.ReadSettingFile(path)) return kExitUsage;
    const SettingFileLoadReport& report = file.LastReport();
    context.Line(StrFormat("%d setting(s) applied from %s", report.applied, path.c_str()));
    context.Json(ReportJson(report).Add("dry_run", false));
    if (report.cameraGone) return kExitNoCamera;
    return report.AllApplied() ? kExitOk : kExitRefused;
}

int TimedOutOr(Command& command, int otherwise) { return command.LastRequestTimedOut() ? kExitNoCamera : otherwise; }

int ShadingRead(CtlContext& context, const std::string& path)
{
    Command& command = context.camera.Protocol();
    ShadingTable buffer;
    ShadingTransfer transfer(command, buffer);
    transfer.SetProgress(context.progress);
    if (!transfer.CheckShadingMode()) return TimedOutOr(command, kExitRefused);
    const ShadingTransfer::ReadOutcome outcome = transfer.ReadFromCamera();
    if (!outcome.complete) {
        Problem(
            StrFormat("Reading the shading data stopped at %s entry %d of %d: the camera did not answer.\n"
                      "The table is incomplete and was not kept.",
                      ShadingTable::ColourName(outcome.colour), outcome.entry, ShadingTable::kEntries));
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
    const bool complete = outcome.refused == 0 && !outcome.cameraGone && outcome.timedOut == 0 && outcome.closed;
    if (!complete) {
        std::string text = "Writing the shading data to the camera did not complete.";
        if (outcome.cameraGone) {
            text += StrFormat("\nThe camera stopped answering at %s entry %d; the rest was not sent.",
                              ShadingTable::ColourName(outcome.colour), outcome.entry);
        }
        if (outcome.refused > 0) text += StrFormat("\nEntries refused by the camera: %d.", outcome.refused);
        if (outcome.timedOut > 0 && !outcome.cameraGone) {
            text += StrFormat("\nEntries without an answer: %d.", outcome.timedOut);
        }
        if (!outcome.closed) text += "\nThe camera's table was not closed (SDDU not sent or not acknowledged).";
        ShowMessage(text, {}, MessageButtons::Ok, MessageIcon::Exclamation);
    }
    context.Line(StrFormat("%s: %d entries from %d line(s) written, %d refused", path.c_str(), ShadingTable::kTotal,
                           parsed.taken, outcome.refused));
    context.Json(JsonText()
                     .Add("file", path)
                     .Add("lines_taken", parsed.taken)
                     .Add("refused", outcome.refused)
                     .Add("timed_out", outcome.timedOut)
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
        if (command.LastRequestTimedOut()) return kExitNoCamera;
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

void FileVerbs::Add(std::vector<CtlVerb>& verbs)
{
    verbs.push_back({"save",
                     "save FILE.cam [--shipping] [--factory]",
                     "Reads every setting of the camera and saves them as a camera setting file, the bytes the\n"
                     "windowed tool writes. --factory (factory mode) adds the model id and the factory rows;\n"
                     "--shipping keeps to the user rows. Nothing is written unless every setting was read.",
                     1,
                     1,
                     {"--shipping", "--factory"},
                     nullptr,
                     RunSave});
    verbs.push_back({"load",
                     "load FILE.cam [--dry-run]",
                     "Sends the settings of a camera setting file as the windowed tool does (a refused line gets\n"
                     "one more try at the end) and says on standard error what was not applied. --dry-run sends\n"
                     "nothing and prints the lines a load would send. Exit 1 when not everything was applied.",
                     1,
                     1,
                     {"--dry-run"},
                     nullptr,
                     RunLoad});
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
