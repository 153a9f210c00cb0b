// One call: parse, run the verb on every camera named (each on its own link and thread), print one JSON
// document when asked, give the worst status.
#include "ctl/CtlProgram.h"

#include "ctl/CameraBarProgress.h"
#include "ctl/CtlCameraRun.h"
#include "ctl/CtlCommandLine.h"
#include "ctl/CtlConsole.h"
#include "ctl/CtlExit.h"
#include "ctl/CtlVerbList.h"
#include "ctl/JsonText.h"
#include "ctl/TerminalProgress.h"

#include "platform/Terminal.h"

#include <rv_build_version.h>

#include <cstdio>
#include <memory>
#include <system_error>
#include <thread>

namespace {

int UsageError(const std::string& problem, bool json)
{
    std::fprintf(stderr, "rv8200xc-ctl: %s\nTry 'rv8200xc-ctl --help'.\n", problem.c_str());
    if (json) {
        const std::string error = JsonText().Add("kind", ExitKind(kExitUsage)).Add("message", problem).Object();
        std::printf("%s\n", JsonText()
                                .Add("ok", false)
                                .Add("status", static_cast<int>(kExitUsage))
                                .AddRaw("error", error)
                                .Object()
                                .c_str());
    }
    return kExitUsage;
}

std::string VerbHelp(const CtlVerb& verb)
{
    return "Usage: rv8200xc-ctl [options] " + verb.synopsis + "\n\n" + verb.help + "\n";
}

// Help and version for people, or as the one JSON document a script asked for.
int PrintText(const std::string& key, const std::string& text, bool json)
{
    if (json) {
        std::printf("%s\n", JsonText().Add("ok", true).Add(key, text).Object().c_str());
    } else {
        std::fputs(text.c_str(), stdout);
    }
    return kExitOk;
}

// A verb that writes one file from the camera: several cameras would each replace what the one before wrote.
bool WritesOneFile(const CtlVerb& verb, const CtlArgs& args)
{
    if (verb.name == "save") return true;
    return (verb.name == "shading" || verb.name == "gamma") && !args.words.empty() && args.words[0] == "read";
}

// Runs every camera's run at once, each on a thread of its own; a run whose thread cannot be had runs
// here afterwards.
void RunAll(std::vector<std::unique_ptr<CtlCameraRun>>& runs)
{
    if (runs.size() == 1) {
        runs[0]->Run();
        return;
    }
    std::vector<std::thread> threads;
    for (std::unique_ptr<CtlCameraRun>& run : runs) {
        try {
            threads.emplace_back([&run] { run->Run(); });
        } catch (const std::system_error&) {
            break;
        }
    }
    for (std::thread& thread : threads) thread.join();
    for (std::unique_ptr<CtlCameraRun>& run : runs) run->Run();  // does nothing for a run that ran
}

int RunOnCameras(const CtlCommandLine& line, const CtlVerb& verb, const CtlArgs& verbArgs)
{
    const std::size_t count = line.connections.size();
    const bool several = count > 1;
    const bool bars = !line.quiet && IsTerminal(StandardStream::Error);
    CtlConsole console(stdout, stderr, bars && several, static_cast<int>(count));
    TerminalProgress single(bars && !several);
    std::size_t width = 0;
    for (const CtlConnection& connection : line.connections) width = std::max(width, connection.Describe().size());
    std::vector<std::unique_ptr<CameraBarProgress>> cameraBars;
    std::vector<std::unique_ptr<CtlCameraRun>> runs;
    CtlCameraRun::Options options;
    options.json = line.json;
    options.factory = line.factory;
    options.yes = line.yes;
    options.prefixed = several;
    for (std::size_t i = 0; i < count; ++i) {
        std::string label = line.connections[i].Describe();
        label.resize(width, ' ');
        cameraBars.push_back(std::make_unique<CameraBarProgress>(console, static_cast<int>(i), label));
        ProgressSink* progress = several ? static_cast<ProgressSink*>(cameraBars.back().get()) : &single;
        runs.push_back(std::make_unique<CtlCameraRun>(line.connections[i], verb, verbArgs, options, console, progress));
    }
    RunAll(runs);

    int status = kExitOk;
    std::vector<std::string> objects;
    for (const std::unique_ptr<CtlCameraRun>& run : runs) {
        status = WorseExit(status, run->Status());
        objects.push_back(run->JsonObject());
    }
    if (line.json) {
        const std::string document = several ? JsonText::List(objects) : objects[0];
        console.Out(document);
    }
    return status;
}

}  // namespace

int RunCtlProgram(const std::vector<std::string>& args)
{
    const bool json = CtlCommandLine::WantsJson(args);
    CtlCommandLine line;
    std::string problem;
    if (!CtlCommandLine::Parse(args, line, problem)) return UsageError(problem, json);
    if (line.version) {
        const std::string version = std::string("rv8200xc-ctl ") + RV_VERSION_TEXT;
        return PrintText("version", line.json ? version : version + "\n", line.json);
    }
    // "help VERB" and "VERB --help" say the same.
    if (line.verb == "help") {
        const CtlVerb* verb = line.verbArgs.empty() ? nullptr : CtlVerbList::Find(line.verbArgs[0]);
        if (!line.verbArgs.empty() && !verb) return UsageError("unknown verb '" + line.verbArgs[0] + "'", line.json);
        return PrintText("help", verb ? VerbHelp(*verb) : CtlCommandLine::Usage(), line.json);
    }
    const CtlVerb* verb = CtlVerbList::Find(line.verb);
    if (line.help) return PrintText("help", verb ? VerbHelp(*verb) : CtlCommandLine::Usage(), line.json);
    if (!verb) return UsageError("no verb given", line.json);
    CtlArgs verbArgs;
    // Everything the command line can be wrong about is found before a port is opened.
    if (const std::string bad = ParseVerbArgs(*verb, line.verbArgs, verbArgs); !bad.empty()) {
        return UsageError(bad, line.json);
    }
    // A verb about the PC itself (the ports) runs without a camera.
    if (verb->runAlone) return verb->runAlone(verbArgs, line.json);
    if (line.connections.size() > 1 && WritesOneFile(*verb, verbArgs)) {
        return UsageError(verb->name + " writes one file from one camera: name one --port or --cameralink", line.json);
    }
    return RunOnCameras(line, *verb, verbArgs);
}
