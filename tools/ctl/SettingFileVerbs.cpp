// save, load, dump and diff: the camera setting file, written and read by the windowed tool's own code.
#include "ctl/SettingFileVerbs.h"

#include "ctl/CtlCamera.h"
#include "ctl/CtlConsole.h"
#include "ctl/CtlExit.h"
#include "ctl/StderrMessageHost.h"

#include "base/StrFormat.h"
#include "files/SettingFile.h"
#include "files/SettingFileComparison.h"
#include "files/SettingFileFormat.h"
#include "files/TextFile.h"
#include "framework/FileDialogHost.h"
#include "framework/MessageBox.h"
#include "link/BulkTally.h"
#include "link/Command.h"
#include "operations/SettingFileActions.h"
#include "platform/Terminal.h"
#include "settings/ControlMode.h"
#include "tables/CameraModelInfo.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"
#include "tables/SettingsReadList.h"

#include <cstdio>
#include <set>

namespace {

constexpr int kValueTimeoutMs = 5000;

void Problem(MessageHost& messages, const std::string& text) { ShowMessage(messages, text, {}, MessageButtons::Ok, MessageIcon::Stop); }

// The file is read before anything is sent: a missing file costs no camera time.
bool LoadInputFile(MessageHost& messages, const std::string& path, std::string& content)
{
    if (TextFile::Load(path, content)) return true;
    Problem(messages, CannotOpenText(path));
    return false;
}

int NeedModel(CtlCamera& camera)
{
    if (camera.ModelCheck()) return kExitOk;
    Problem(camera.Hosts().messages, "The camera did not answer the model query.");
    return kExitNoCamera;
}

// A camera of a model the tool does not know is no camera to read settings of (its message has been said).
int NeedKnownModel(CtlCamera& camera)
{
    if (!camera.ModelCheck()) {
        Problem(camera.Hosts().messages, "The camera did not answer the model query.");
        return kExitNoCamera;
    }
    return camera.Model().IsKnown() ? kExitOk : kExitNoCamera;
}

SettingFileHooks Hooks(CtlCamera& camera)
{
    SettingFileHooks hooks;
    hooks.modelCheck = [&camera] { return camera.ModelCheck(); };
    return hooks;
}

int RunSave(CtlContext& context, const CtlArgs& args)
{
    CtlCamera& camera = context.camera;
    if (args.Has("--factory")) camera.Mode().Set(1);
    if (const int status = NeedKnownModel(camera)) return status;
    const CameraSession::ReadAllResult outcome = camera.ReadAll(context.progress);
    // A file holds only values the camera gave: a row it did not answer would go in as the tool's default.
    if (outcome.CameraGone() || outcome.read != outcome.total) {
        Problem(context.messages, StrFormat("%d of %d settings were read; %s was not written.", outcome.read, outcome.total,
                          args.words[0].c_str()));
        return outcome.CameraGone() ? kExitNoCamera : kExitRefused;
    }
    SettingFile file(camera.Protocol(), camera.Table(), camera.Mode(), camera.Model(), Hooks(camera), camera.Hosts());
    const SettingFileVariant variant =
        args.Has("--shipping") ? SettingFileVariant::ShippingData : SettingFileVariant::AllData;
    if (!SettingFileActions::ShowWrite(context.messages, args.words[0], file.WriteSettingFile(args.words[0], variant)))
        return kExitFile;
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
// "GA,LR" as the set {GA, LR}.
std::set<std::string> OnlyMnemonics(const std::string& list)
{
    std::set<std::string> names;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        if (comma > start) names.insert(list.substr(start, comma - start));
        start = comma + 1;
    }
    return names;
}

int DryRunLoad(CtlContext& context, const std::string& content, const std::set<std::string>& only)
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
        if (!only.empty() && !only.count(parsed.kind == Kind::ModelId ? std::string("MD00") : parsed.mnemonic))
            continue;
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
            case Kind::NotANumber:
                report.notANumber.push_back(name + "=" + parsed.text);
                break;
        }
    }
    for (const std::string& line : wouldSend) context.Line(line);
    const std::string summary = report.SummaryText();
    if (!summary.empty()) ShowMessage(context.messages, summary, {}, MessageButtons::Ok, MessageIcon::Exclamation);
    JsonText json = ReportJson(report);
    json.Add("dry_run", true).Add("would_send", wouldSend);
    context.Json(json);
    return report.AllApplied() ? kExitOk : kExitRefused;
}

std::string CheckLoad(const CtlArgs& args)
{
    if (!args.values.count("--only")) return {};
    const std::set<std::string> names = OnlyMnemonics(args.values.at("--only"));
    if (names.empty()) return "--only needs mnemonics, for example --only GA,LR";
    for (const std::string& name : names) {
        if (CommandTable::Find(name) < 0) return "--only: no such mnemonic: " + name;
    }
    return {};
}

int RunLoad(CtlContext& context, const CtlArgs& args)
{
    CtlCamera& camera = context.camera;
    const std::string& path = args.words[0];
    std::string content;
    if (!LoadInputFile(context.messages, path, content)) return kExitFile;
    if (!camera.ModelCheck()) {
        Problem(context.messages, "The camera did not answer the model query.");
        return kExitNoCamera;
    }
    const std::set<std::string> only =
        args.values.count("--only") ? OnlyMnemonics(args.values.at("--only")) : std::set<std::string>();
    if (args.Has("--dry-run")) return DryRunLoad(context, content, only);
    SettingFile file(camera.Protocol(), camera.Table(), camera.Mode(), camera.Model(), Hooks(camera), camera.Hosts());
    file.SetProgress(context.progress);
    file.SetOnly(only);
    // The summary of what was not applied goes to standard error through the message host.
    if (!SettingFileActions::ShowRead(context.messages, path, file.ReadSettingFile(path), file.LastReport()))
        return kExitFile;
    const SettingFileLoadReport& report = file.LastReport();
    context.Line(StrFormat("%d setting(s) applied from %s", report.applied, path.c_str()));
    context.Json(ReportJson(report).Add("dry_run", false));
    if (report.cameraGone) return kExitNoCamera;
    return report.AllApplied() ? kExitOk : kExitRefused;
}

int RunDump(CtlContext& context, const CtlArgs&)
{
    CtlCamera& camera = context.camera;
    if (const int status = NeedKnownModel(camera)) return status;
    const CameraSession::ReadAllResult outcome = camera.ReadAll(context.progress);
    if (outcome.CameraGone()) {
        Problem(context.messages, StrFormat("The camera stopped answering: %d of %d settings were read.", outcome.read, outcome.total));
        return kExitNoCamera;
    }
    if (context.json) {
        JsonText parameters;
        std::set<int> seen;
        const ControlTable& table = camera.Table();
        for (int row = 0; table.Row(row).controlId != -1; ++row) {
            const ControlEntry& entry = table.Row(row);
            if (!SettingsReadList::ShouldRead(entry, camera.Model(), camera.Mode().IsFactory())) continue;
            if (!seen.insert(entry.commandIndex).second) continue;
            parameters.Add(CommandTable::Mnemonic(entry.commandIndex), entry.value);
        }
        context.Json(JsonText()
                         .Add("model", camera.Model().modelName)
                         .Add("read", outcome.read)
                         .Add("total", outcome.total)
                         .AddRaw("parameters", parameters.Object()));
    } else {
        // The setting file's own lines and line ends: "dump > x.cam" is the file "save x.cam" writes.
        std::vector<std::string> lines;
        if (camera.Mode().IsFactory()) lines.push_back("MD00=" + camera.Model().modelName);
        for (std::string& line :
             SettingFileFormat::RowLines(camera.Table(), camera.Model().modelCode, camera.Mode().IsFactory())) {
            lines.push_back(std::move(line));
        }
        if (!context.prefix.empty()) {
            // Several cameras: each line after its camera's port, for people to read, not to keep.
            for (const std::string& line : lines) context.Line(line);
            return outcome.read == outcome.total ? kExitOk : kExitRefused;
        }
        std::string bytes;
        for (const std::string& line : lines) bytes += line + "\r\n";
        if (context.out == stdout) SetBinaryMode(StandardStream::Output);
        if (context.console) {
            context.console->Raw(bytes);
        } else {
            std::fputs(bytes.c_str(), context.out);
            std::fflush(context.out);
        }
    }
    return outcome.read == outcome.total ? kExitOk : kExitRefused;
}

int RunDiff(CtlContext& context, const CtlArgs& args)
{
    CtlCamera& camera = context.camera;
    const std::string& path = args.words[0];
    std::string content;
    if (!LoadInputFile(context.messages, path, content)) return kExitFile;
    if (const int status = NeedModel(camera)) return status;
    // The same comparison as the window's "Compare with setting file...".
    const SettingFileComparison comparison = SettingFileComparison::Compare(content, camera.Protocol(), camera.Table(),
                                                                            camera.Model(), camera.Mode().IsFactory());
    if (comparison.CameraGone()) {
        Problem(context.messages, "The camera stopped answering; the comparison is incomplete.");
        return kExitNoCamera;
    }
    std::vector<std::string> differences;
    for (const SettingFileComparison::Row& row : comparison.rows) {
        if (!row.Differs()) continue;
        JsonText difference;
        difference.Add("name", row.mnemonic);
        if (row.modelId) {
            difference.Add("file", row.fileText).Add("camera", row.cameraText);
            context.Line("MD00: file " + row.fileText + ", camera " + row.cameraText);
        } else {
            difference.Add("file", row.fileValue);
            if (row.Known()) {
                difference.Add("camera", row.CameraValue());
            } else {
                difference.AddRaw("camera", "null");
            }
            context.Line(StrFormat("%s: file %d, camera %s", row.mnemonic.c_str(), row.fileValue,
                                   row.Known() ? std::to_string(row.CameraValue()).c_str() : "?"));
        }
        differences.push_back(difference.Object());
    }
    std::vector<std::string> notCompared;
    for (const SettingFileComparison::Skipped& line : comparison.skipped) notCompared.push_back(line.name);
    if (!notCompared.empty()) {
        ShowMessage(context.messages, "Not compared (not a setting of this camera and mode): " +
                        BulkTally::ListText(notCompared, static_cast<int>(notCompared.size())),
                    {}, MessageButtons::Ok, MessageIcon::Exclamation);
    }
    context.Json(JsonText()
                     .AddRaw("differences", JsonText::List(differences))
                     .Add("not_compared", notCompared)
                     .Add("same", differences.empty()));
    // Of several cameras, each says whether it is one of those that differ.
    if (!context.prefix.empty()) {
        context.Line(differences.empty()
                         ? "same as " + path
                         : StrFormat("%d difference(s) from %s", static_cast<int>(differences.size()), path.c_str()));
    }
    if (differences.empty()) return kExitOk;
    context.errorKind = "differ";
    return kExitRefused;
}
}  // namespace

void SettingFileVerbs::Add(std::vector<CtlVerb>& verbs)
{
    verbs.push_back({"dump",
                     "dump",
                     "Reads every parameter of the camera's model and writes them to standard output as a setting\n"
                     "file (CR LF line ends, the bytes 'save' writes), or with --json every parameter read as an\n"
                     "object. Exit 1 when a parameter could not be read.",
                     0,
                     0,
                     {},
                     nullptr,
                     RunDump});
    verbs.push_back({"diff",
                     "diff FILE.cam",
                     "Compares the settings of the file with the camera's values, one line per difference:\n"
                     "\"NAME: file VALUE, camera VALUE\". Exit 0 when they are the same, 1 when they differ.\n"
                     "With several cameras every line starts with the camera's port, and each camera ends with\n"
                     "\"same as FILE\" or \"N difference(s) from FILE\".",
                     1,
                     1,
                     {},
                     nullptr,
                     RunDiff});
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
                     "load FILE.cam [--dry-run] [--only MN,...]",
                     "Sends the settings of a camera setting file as the windowed tool does (a refused line gets\n"
                     "one more try at the end) and says on standard error what was not applied. --dry-run sends\n"
                     "nothing and prints the lines a load would send. --only GA,LR sends only the file's lines of\n"
                     "those mnemonics (what 'diff' found different, say). Exit 1 when not everything was applied.",
                     1,
                     1,
                     {"--dry-run"},
                     CheckLoad,
                     RunLoad,
                     {"--only"}});
}
