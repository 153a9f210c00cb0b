// info, get, set and send.
#include "ctl/ParameterVerbs.h"

#include "ctl/CtlCamera.h"
#include "ctl/CtlExit.h"
#include "ctl/StderrMessageHost.h"

#include "base/StrFormat.h"
#include "framework/MessageBox.h"
#include "link/Command.h"
#include "link/RequestStreak.h"
#include "link/SerialLink.h"
#include "settings/ControlMode.h"
#include "tables/CameraModelInfo.h"
#include "tables/ComboCatalog.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"

#include <algorithm>
#include <charconv>
#include <chrono>

namespace {

constexpr int kValueTimeoutMs = 5000;
constexpr int kSendTimeoutMs = 5000;

void Problem(MessageHost& messages, const std::string& text) { ShowMessage(messages, text, {}, MessageButtons::Ok, MessageIcon::Stop); }

bool ParseInt(const std::string& text, int& value)
{
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') ++first;
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last && first != last;
}

// "GA=205" split at its first "="; false when there is none or either side is empty.
bool SplitSetting(const std::string& word, std::string& name, std::string& value)
{
    const auto eq = word.find('=');
    if (eq == std::string::npos || eq == 0 || eq + 1 == word.size()) return false;
    name = word.substr(0, eq);
    value = word.substr(eq + 1);
    return true;
}

std::string CheckNames(const CtlArgs& args)
{
    for (const std::string& name : args.words) {
        if (CommandTable::Find(name) < 0) return "unknown parameter " + name;
    }
    return {};
}

std::string CheckSettings(const CtlArgs& args)
{
    for (const std::string& word : args.words) {
        std::string name, text;
        int value = 0;
        if (!SplitSetting(word, name, text)) return "not NAME=VALUE: " + word;
        const int index = CommandTable::Find(name);
        if (index < 0) return "unknown parameter " + name;
        if (!ParseInt(text, value)) return "not a whole number: " + word;
        // The speed belongs to the session: a camera moved behind its back would not answer the read-back.
        if (index == cmd::CBDRT) return "CBDRT is the link's own speed (see --baud and --keep-speed)";
        ControlTable table;
        const int row = ParameterVerbs::RowOfCommand(table, index);
        if (row < 0 || table.Row(row).controlKind == kKindButton) {
            return name + " is not a setting (use 'send' for a raw command line)";
        }
    }
    return {};
}

// Why the camera may not be given this value: the model lacks the command, a factory parameter outside
// factory mode, a number outside the control's range or a code its list does not have. Empty: fine.
std::string Refusal(CtlCamera& camera, const std::string& name, int commandIndex, int value)
{
    ControlTable& table = camera.Table();
    const ControlEntry& entry = table.Row(ParameterVerbs::RowOfCommand(table, commandIndex));
    if (camera.Model().IsKnown() && !camera.Model().Supports(commandIndex)) {
        return name + " is not on " + camera.Model().modelName;
    }
    if (entry.group == kGroupFactory && !camera.Mode().IsFactory()) return name + " is a factory parameter (--factory)";
    if (entry.controlKind == kKindCombo) {
        const std::vector<int> codes = ComboCodesForModel(commandIndex, camera.Model().modelName);
        if (!codes.empty() && std::find(codes.begin(), codes.end(), value) == codes.end()) {
            std::string list;
            for (int code : codes) list += (list.empty() ? "" : ", ") + std::to_string(code);
            return StrFormat("%s=%d is not one of %s", name.c_str(), value, list.c_str());
        }
    } else if (value < entry.minimum || value > entry.maximum) {
        return StrFormat("%s=%d is outside %d .. %d", name.c_str(), value, entry.minimum, entry.maximum);
    }
    return {};
}

int NeedModel(CtlCamera& camera)
{
    if (camera.ModelCheck()) return kExitOk;
    Problem(camera.Hosts().messages, "The camera did not answer the model query.");
    return kExitNoCamera;
}

int RunInfo(CtlContext& context, const CtlArgs&)
{
    Command& command = context.camera.Protocol();
    RequestStreak streak;
    JsonText json;
    int missing = 0;
    auto text = [&](const char* key, const char* label, int commandIndex) {
        std::string value;
        const RequestOutcome asked =
            streak.CameraGone() ? RequestOutcome{} : streak.Record(command.Ask(commandIndex, kValueTimeoutMs));
        const bool ok = asked.Answered();
        if (ok) value = asked.value.text;
        if (!ok) ++missing;
        if (ok) {
            json.Add(key, value);
        } else {
            json.AddRaw(key, "null");
        }
        context.Line(StrFormat("%-16s %s", label, ok ? value.c_str() : "?"));
    };
    const bool model = streak.Record(context.camera.CheckModel()).Answered();
    if (!model) ++missing;
    if (model) {
        json.Add("model", context.camera.Model().modelName);
    } else {
        json.AddRaw("model", "null");
    }
    context.Line(StrFormat("%-16s %s", "Model Name", model ? context.camera.Model().modelName.c_str() : "?"));
    text("firmware", "Firmware Version", cmd::VN);
    text("fpga", "FPGA Version", cmd::FPVN);
    text("camera_id", "Camera ID", cmd::ID);
    text("user_id", "User ID", cmd::UD);
    text("device_version", "Device Version", cmd::DV);
    const RequestOutcome areaAsked =
        streak.CameraGone() ? RequestOutcome{} : streak.Record(command.Ask(cmd::EA, kValueTimeoutMs));
    const bool areaOk = areaAsked.Answered();
    const int area = areaOk ? areaAsked.value.intValue : -1;
    if (!areaOk) ++missing;
    static const char* const kAreas[] = {"factory", "user1", "user2", "user3"};
    const std::string areaName = areaOk && area >= 0 && area <= 3 ? kAreas[area] : areaOk ? std::to_string(area) : "?";
    if (areaOk) {
        json.Add("flash_area", areaName);
    } else {
        json.AddRaw("flash_area", "null");
    }
    context.Line(StrFormat("%-16s %s", "Flash Area", areaName.c_str()));
    context.Json(json);
    if (streak.CameraGone()) return kExitNoCamera;
    return missing == 0 ? kExitOk : kExitRefused;
}

int RunGet(CtlContext& context, const CtlArgs& args)
{
    if (const int status = NeedModel(context.camera)) return status;
    Command& command = context.camera.Protocol();
    RequestStreak streak;
    JsonText json;
    int failed = 0;
    for (const std::string& name : args.words) {
        const int index = CommandTable::Find(name);
        if (context.camera.Model().IsKnown() && !context.camera.Model().Supports(index)) {
            Problem(context.messages, name + " is not on " + context.camera.Model().modelName);
            return kExitUsage;
        }
    }
    for (const std::string& name : args.words) {
        const int index = CommandTable::Find(name);
        const RequestOutcome answer = streak.Record(command.Ask(index, kValueTimeoutMs));
        ShowCommunicationError(context.messages, answer.FailureText());
        const bool ok = answer.Answered();
        if (ok && CommandTable::ValueType(index) == kValueText) {
            json.Add(name, answer.value.text);
            context.Line(name + "=" + answer.value.text);
        } else if (ok) {
            json.Add(name, answer.value.intValue);
            context.Line(name + "=" + std::to_string(answer.value.intValue));
        }
        if (!ok) {
            ++failed;
            json.AddRaw(name, "null");
            if (streak.CameraGone()) break;
        }
    }
    context.Json(json);
    if (streak.CameraGone()) return kExitNoCamera;
    return failed == 0 ? kExitOk : kExitRefused;
}

int RunSet(CtlContext& context, const CtlArgs& args)
{
    if (const int status = NeedModel(context.camera)) return status;
    struct Wanted {
        std::string name;
        int index;
        int value;
    };
    std::vector<Wanted> wanted;
    // Every value is checked before the first is sent: a script's typo sends nothing.
    for (const std::string& word : args.words) {
        std::string name, text;
        SplitSetting(word, name, text);
        Wanted w{name, CommandTable::Find(name), 0};
        ParseInt(text, w.value);
        if (const std::string why = Refusal(context.camera, name, w.index, w.value); !why.empty()) {
            Problem(context.messages, why + "; nothing was sent.");
            return kExitUsage;
        }
        wanted.push_back(w);
    }
    RequestStreak streak;
    std::vector<std::string> results;
    int notAsWanted = 0;
    for (const Wanted& w : wanted) {
        JsonText result;
        result.Add("name", w.name).Add("requested", w.value);
        const CameraSession::WriteResult written = context.camera.Session().WriteAndReadBack(w.index, w.value);
        streak.Record(written.write);
        if (!written.write.Unanswered()) streak.Record(written.readBack);
        ShowCommunicationError(context.messages, written.write.FailureText());
        const bool sent = written.write.Answered();
        const bool readBack = written.readBack.Answered();
        const int held = written.held;
        // What the camera holds is reported, never the value asked for: a refused or adjusted value shows.
        std::string status = !sent             ? (written.write.Unanswered() ? "no answer" : "refused")
                             : !readBack       ? "not read back"
                             : held != w.value ? "different"
                                               : "ok";
        if (readBack) {
            result.Add("camera", held);
        } else {
            result.AddRaw("camera", "null");
        }
        result.Add("status", status);
        results.push_back(result.Object());
        if (status != "ok") ++notAsWanted;
        if (!context.json) {
            const std::string shown = readBack ? std::to_string(held) : "?";
            context.Line(w.name + "=" + shown + (status == "ok" ? "" : "  (" + status + ")"));
        }
        if (streak.CameraGone()) break;
    }
    context.Json(JsonText().AddRaw("results", JsonText::List(results)));
    if (streak.CameraGone()) return kExitNoCamera;
    return notAsWanted == 0 ? kExitOk : kExitRefused;
}

// Whether an answer is the one a line asks for: a query's mnemonic and "=", or "COMPLETE" for a setting.
bool IsAcceptedAnswer(const std::string& line, const std::string& answer)
{
    const auto query = line.find('?');
    if (query != std::string::npos) {
        std::string mnemonic;
        for (char c : line.substr(0, query)) {
            if (c != ' ') mnemonic += c;
        }
        return answer.rfind(mnemonic + "=", 0) == 0;
    }
    return answer.rfind("COMPLETE", 0) == 0;
}

int RunSend(CtlContext& context, const CtlArgs& args)
{
    if (!context.link) return kExitUsage;
    std::string line;
    for (const std::string& word : args.words) line += (line.empty() ? "" : " ") + word;
    Command& command = context.camera.Protocol();
    command.ClearReceived();
    context.link->Write(line + "\r\n");
    // The answer is whatever line comes first; the camera answers one line per line it takes.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kSendTimeoutMs);
    std::string answer;
    bool answered = false;
    while (!answered) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        if (context.link->WaitForInput(static_cast<int>(left.count())) && command.ReadLine(false)) {
            answer = command.TakeLine();
            answered = true;
        }
    }
    if (!answered) {
        Problem(context.messages, "No answer to \"" + line + "\".");
        context.Json(JsonText().Add("line", line).AddRaw("answer", "null"));
        return kExitNoCamera;
    }
    context.Line(answer);
    const bool accepted = IsAcceptedAnswer(line, answer);
    context.Json(JsonText().Add("line", line).Add("answer", answer).Add("accepted", accepted));
    return accepted ? kExitOk : kExitRefused;
}

}  // namespace

int ParameterVerbs::RowOfCommand(const ControlTable& table, int commandIndex)
{
    for (int row = 0; table.Row(row).controlId != -1; ++row) {
        if (table.Row(row).commandIndex == commandIndex) return row;
    }
    return -1;
}

void ParameterVerbs::Add(std::vector<CtlVerb>& verbs)
{
    verbs.push_back({"info",
                     "info",
                     "Model, firmware and FPGA versions, camera id, user id, device version and the flash area\n"
                     "the current settings came from. Exit 1 when the camera left a field unanswered.",
                     0,
                     0,
                     {},
                     nullptr,
                     RunInfo});
    verbs.push_back({"get",
                     "get NAME...",
                     "The camera's values of the named parameters (mnemonics such as GA, LR, VN), one NAME=VALUE\n"
                     "line each. Exit 1 when the camera refused one.",
                     1,
                     -1,
                     {},
                     CheckNames,
                     RunGet});
    verbs.push_back({"set",
                     "set NAME=VALUE...",
                     "Sends the values in the order given, then reads each back and prints what the camera holds.\n"
                     "Every value is first checked against the parameter's range or list and the camera's model;\n"
                     "one that fails sends nothing (exit 2). Factory parameters need --factory. Exit 1 when the\n"
                     "camera refused a value or holds another one.",
                     1,
                     -1,
                     {},
                     CheckSettings,
                     RunSet});
    verbs.push_back({"send",
                     "send LINE",
                     "Sends one raw command line (the words joined by blanks, CR LF added) and prints the camera's\n"
                     "answer line. Exit 1 when the answer is not the acknowledgement or value the line asks for.",
                     1,
                     -1,
                     {},
                     nullptr,
                     RunSend});
}
