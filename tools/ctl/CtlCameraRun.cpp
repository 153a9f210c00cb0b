// One camera's run.
#include "ctl/CtlCameraRun.h"

#include "ctl/CtlConsole.h"
#include "ctl/CtlExit.h"
#include "ctl/CtlSession.h"
#include "ctl/StderrMessageHost.h"
#include "framework/MessageBox.h"
#include "framework/StandardHosts.h"
#include "link/Command.h"

#include <vector>

namespace {

JsonText CountsJson(const Command::RequestCounts& counts)
{
    return JsonText()
        .Add("answered", counts.answered)
        .Add("refused", counts.refused)
        .Add("timed_out", counts.timedOut)
        .Add("not_sent", counts.notSent);
}

}  // namespace

CtlCameraRun::CtlCameraRun(const CtlConnection& connection, const CtlVerb& verb, const CtlArgs& args,
                           const Options& options, CtlConsole& console, ProgressSink* progress)
    : connection_(connection), verb_(verb), args_(args), options_(options), console_(console), progress_(progress)
{
}

void CtlCameraRun::Run()
{
    if (status_ >= 0) return;
    const std::string port = connection_.Describe();
    StderrMessageHost messages;
    messages.SetConsole(&console_, options_.prefixed ? port : std::string());
    messages.SetAnswerYes(options_.yes);
    // Each camera has hosts of its own: its boxes go to its own console lines and answers.
    StandardHosts standard;
    const OperatorHosts hosts{messages,         standard.fileDialogs,  standard.ui,         standard.timers,
                              standard.shell,   standard.onlineStatus, standard.openDialogs};

    JsonText fields;
    std::string kind;
    bool started = false;
    std::string openFailure;
    Command::RequestCounts counts{};
    {
        CtlSession session(connection_, options_.factory, hosts);
        if (session.Start()) {
            started = true;
            CtlContext context{
                session.Camera(),     messages, progress_, &session.Link(), session.StartArea(), options_.json,
                console_.OutStream(), &console_};
            if (options_.prefixed) context.prefix = port + ": ";
            // The counts speak of the verb's own requests, not of the speed search before it.
            session.Camera().Protocol().ResetCounts();
            status_ = verb_.run(context, args_);
            counts = session.Camera().Protocol().Counts();
            fields = context.result;
            kind = context.errorKind;
        } else {
            status_ = kExitNoCamera;
            openFailure = session.OpenFailure();
        }
        session.End();
    }

    std::vector<std::string> all, stops;
    for (const MessageRequest& shown : messages.Shown()) {
        all.push_back(shown.text);
        if (shown.icon == MessageIcon::Stop) stops.push_back(shown.text);
    }
    if (kind.empty()) kind = ExitKind(status_);
    JsonText json;
    json.Add("ok", status_ == kExitOk).Add("port", port).Add("status", status_);
    if (status_ != kExitOk) {
        json.AddRaw("error",
                    JsonText()
                        .Add("kind", kind)
                        .Add("message", openFailure.empty() ? ErrorMessage(status_, kind, stops, all) : openFailure)
                        .Object());
    }
    json.Merge(fields);
    if (started) json.AddRaw("requests", CountsJson(counts).Object());
    json.Add("messages", all);
    json_ = json.Object();
}

std::string CtlCameraRun::ErrorMessage(int status, const std::string& kind, const std::vector<std::string>& stops,
                                       const std::vector<std::string>& all) const
{
    // What the run said last about its failure: a failed operation's stop message, else the last warning.
    if (!stops.empty()) return stops.back();
    if (!all.empty()) return all.back();
    if (kind == "differ") return "The camera's values differ from the file.";
    switch (status) {
        case kExitRefused:
            return "The camera refused a request or holds another value.";
        case kExitNoCamera:
            return "No camera answers on " + connection_.Describe() + ".";
        case kExitFile:
            return "A file could not be used.";
        default:
            return "The command line is wrong.";
    }
}
