// Saving and loading camera setting files.
#include "files/SettingFile.h"

#include "base/StrFormat.h"
#include "files/ProgressThrottle.h"
#include "files/TextFile.h"
#include "framework/DialogsDisabled.h"
#include "framework/ProgressSink.h"
#include "framework/UiHost.h"
#include "link/BulkTally.h"
#include "link/Command.h"
#include "settings/ControlMode.h"
#include "tables/CameraModelInfo.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"

namespace {

std::string Listed(const std::vector<std::string>& names)
{
    return BulkTally::ListText(names, static_cast<int>(names.size()));
}

}  // namespace

bool SettingFileLoadReport::AllApplied() const
{
    return refused.empty() && unknown.empty() && notOnModel.empty() && factoryInUserMode.empty() &&
           notASetting.empty() && notANumber.empty() && !cameraGone && timedOut == 0;
}

std::string SettingFileLoadReport::SummaryText() const
{
    if (AllApplied()) return {};
    std::string text = "Not every line of the setting file was applied.";
    if (cameraGone) {
        text += StrFormat("\nThe camera stopped answering at line %d of %d; the lines after it were not sent.",
                          stoppedAtLine, lineCount);
    }
    if (timedOut > 0 && !cameraGone) text += StrFormat("\nNo answer from the camera: %d line(s).", timedOut);
    const std::pair<const char*, const std::vector<std::string>*> groups[] = {
        {"Refused by the camera", &refused}, {"Unknown mnemonic", &unknown},
        {"Not on this model", &notOnModel},  {"Factory parameter in user mode", &factoryInUserMode},
        {"Not a setting", &notASetting},     {"Not a number", &notANumber},
    };
    for (const auto& [title, names] : groups) {
        if (!names->empty()) text += std::string("\n") + title + ": " + Listed(*names);
    }
    if (!firstRefusal.empty()) text += "\nThe camera answered: " + firstRefusal;
    text += StrFormat("\n%d setting(s) applied.", applied);
    return text;
}

SettingFile::SettingFile(Command& command, ControlTable& table, ControlMode& mode, CameraModelInfo& model,
                         SettingFileHooks hooks, OperatorHosts hosts)
    : command_(command), table_(table), mode_(mode), model_(model), hooks_(std::move(hooks)), hosts_(hosts)
{
}

SettingFileRead SettingFile::ApplyOnly(const std::string& path, std::set<std::string> mnemonics)
{
    // No mnemonic chosen means nothing to send, never the whole file.
    if (mnemonics.empty()) return SettingFileRead::Read;
    only_ = std::move(mnemonics);
    readBack_ = true;
    const SettingFileRead read = ReadSettingFile(path);
    only_.clear();
    readBack_ = false;
    return read;
}

TextFile::SaveResult SettingFile::WriteSettingFile(const std::string& path, SettingFileVariant variant)
{
    const bool factory = mode_.IsFactory();
    std::vector<std::string> lines;
    if (variant == SettingFileVariant::AllData && factory) {
        // The model id goes first so that a load sets the model before the parameters that depend on it.
        if (hooks_.modelCheck) hooks_.modelCheck();
        if (model_.modelCode != kModelCodeUnknown) lines.push_back("MD00=" + model_.modelName);
    }
    const bool withFactoryRows = variant == SettingFileVariant::AllData && factory;
    for (std::string& line : SettingFileFormat::RowLines(table_, model_.modelCode, withFactoryRows)) {
        lines.push_back(std::move(line));
    }
    return TextFile::Save(path, lines);
}

SettingFileRead SettingFile::ReadSettingFile(const std::string& path)
{
    std::string content;
    if (!TextFile::Load(path, content)) return SettingFileRead::CannotOpen;
    const std::vector<std::string> lines = SettingFileFormat::SplitLines(content);
    report_ = SettingFileLoadReport{};
    report_.lineCount = static_cast<int>(lines.size());
    retryLines_.clear();
    streak_.Reset();
    {
        DialogsDisabled disabled(hosts_.openDialogs);
        if (progress_) progress_->Open("Now, reading camera setting file.");
        const int n = report_.lineCount;
        ProgressThrottle throttle;
        for (int i = 0; i < n && !report_.cameraGone; ++i) {
            if (throttle.Due(i == 0 || i == n - 1)) {
                if (progress_) progress_->SetPosition(i * 100 / n);
                hosts_.ui.PumpMessages(false);
            }
            ApplyLine(lines[static_cast<std::size_t>(i)], i + 1, true);
        }
        // A limit may depend on a value further down the file (the exposure on the line rate): what the camera
        // refused gets one more try once everything else is in.
        std::vector<std::pair<std::string, int>> retry;
        retry.swap(retryLines_);
        if (!report_.cameraGone) {
            for (const auto& [line, number] : retry) {
                if (report_.cameraGone) break;
                ApplyLine(line, number, false);
            }
        }
        if (hooks_.showValues) hooks_.showValues();
        table_.CommitShadow();
        if (progress_) progress_->Close();
    }
    if (hooks_.setUpModel) hooks_.setUpModel();
    return SettingFileRead::Read;
}

void SettingFile::ApplyLine(const std::string& line, int lineNumber, bool firstPass)
{
    using Kind = SettingFileFormat::LineKind;
    const SettingFileFormat::Line parsed =
        SettingFileFormat::Classify(line, table_, model_.modelCode, mode_.IsFactory());
    if (!only_.empty() && !only_.count(parsed.kind == Kind::ModelId ? std::string("MD00") : parsed.mnemonic)) return;
    switch (parsed.kind) {
        case Kind::Blank:
            return;
        case Kind::UnknownMnemonic:
            report_.unknown.push_back(parsed.mnemonic.empty() ? line : parsed.mnemonic);
            return;
        case Kind::NotASetting:
            report_.notASetting.push_back(parsed.mnemonic.empty() ? line : parsed.mnemonic);
            return;
        case Kind::NotOnModel:
            report_.notOnModel.push_back(parsed.mnemonic);
            return;
        case Kind::FactoryInUserMode:
            report_.factoryInUserMode.push_back(parsed.mnemonic);
            return;
        case Kind::NotANumber:
            report_.notANumber.push_back(parsed.mnemonic + "=" + parsed.text);
            return;
        case Kind::ModelId:
            SendModelId(parsed);
            break;
        case Kind::Setting:
            SendSetting(parsed, line, lineNumber, firstPass);
            break;
    }
    if (streak_.LastUnanswered()) {
        ++report_.timedOut;
        if (streak_.CameraGone()) {
            report_.cameraGone = true;
            report_.stoppedAtLine = lineNumber;
        }
    }
}

void SettingFile::SendModelId(const SettingFileFormat::Line& parsed)
{
    const RequestOutcome sent = streak_.Record(command_.SetText(cmd::MD00, parsed.text, kModelIdTimeoutMs));
    if (sent) {
        ++report_.applied;
        if (hooks_.modelCheck) hooks_.modelCheck();
    } else if (sent.Refused()) {
        NoteRefusal(parsed.mnemonic, sent);
    }
}

void SettingFile::SendSetting(const SettingFileFormat::Line& parsed, const std::string& line, int lineNumber,
                              bool firstPass)
{
    const RequestOutcome sent = streak_.Record(command_.Set(parsed.commandIndex, parsed.value, kValueTimeoutMs));
    // Only a value the camera took goes into the table, so the pages never show one it does not have.
    if (sent) {
        table_.SetDataValue(parsed.controlId, parsed.value);
        ++report_.applied;
        // The read-back does not count toward the stop rule: the value is in.
        if (readBack_) {
            if (const RequestOutcome held = command_.Ask(parsed.commandIndex, kValueTimeoutMs))
                table_.SetDataValue(parsed.controlId, held.value.intValue);
        }
    } else if (sent.Refused()) {
        if (firstPass) {
            retryLines_.emplace_back(line, lineNumber);
        } else {
            NoteRefusal(parsed.mnemonic, sent);
        }
    }
}

void SettingFile::NoteRefusal(const std::string& mnemonic, const RequestOutcome& outcome)
{
    if (report_.refused.empty()) report_.firstRefusal = outcome.FailureText();
    report_.refused.push_back(mnemonic);
    report_.refusedAnswers.emplace_back(mnemonic, outcome.FailureText());
}
