// One run: parse, reach the camera, run the verb, leave the camera as it was found.
#include "ctl/CtlProgram.h"

#include "ctl/CtlCommandLine.h"
#include "ctl/CtlExit.h"
#include "ctl/CtlSession.h"
#include "ctl/CtlVerbList.h"
#include "ctl/JsonText.h"
#include "ctl/StderrMessageHost.h"
#include "ctl/TerminalProgress.h"
#include "link/Command.h"

#include "platform/Terminal.h"

#include <rv_build_version.h>

#include <cstdio>

namespace {

int UsageError(const std::string& problem)
{
    std::fprintf(stderr, "rv8200xc-ctl: %s\nTry 'rv8200xc-ctl --help'.\n", problem.c_str());
    return kExitUsage;
}

std::string VerbHelp(const CtlVerb& verb)
{
    return "Usage: rv8200xc-ctl [options] " + verb.synopsis + "\n\n" + verb.help + "\n";
}

}  // namespace

int RunCtlProgram(const std::vector<std::string>& args)
{
    CtlCommandLine line;
    std::string problem;
    if (!CtlCommandLine::Parse(args, line, problem)) return UsageError(problem);
    if (line.version) {
        std::printf("rv8200xc-ctl %s\n", RV_VERSION_TEXT);
        return kExitOk;
    }
    // "help VERB" and "VERB --help" say the same.
    if (line.verb == "help") {
        const CtlVerb* verb = line.verbArgs.empty() ? nullptr : CtlVerbList::Find(line.verbArgs[0]);
        if (!line.verbArgs.empty() && !verb) return UsageError("unknown verb '" + line.verbArgs[0] + "'");
        std::fputs((verb ? VerbHelp(*verb) : CtlCommandLine::Usage()).c_str(), stdout);
        return kExitOk;
    }
    const CtlVerb* verb = CtlVerbList::Find(line.verb);
    if (line.help) {
        std::fputs((verb ? VerbHelp(*verb) : CtlCommandLine::Usage()).c_str(), stdout);
        return kExitOk;
    }
    if (!verb) return UsageError("no verb given");
    CtlArgs verbArgs;
    // Everything the command line can be wrong about is found before the port is opened.
    if (const std::string bad = ParseVerbArgs(*verb, line.verbArgs, verbArgs); !bad.empty()) return UsageError(bad);
    if (verb->runAlone) return verb->runAlone(verbArgs, line.json);

    StderrMessageHost messages;
    MessageHost* previous = SetMessageHost(&messages);
    TerminalProgress progress(!line.quiet && IsTerminal(StandardStream::Error));
    int status = kExitNoCamera;
    {
        CtlSession session(line.connection, line.factory);
        if (session.Start()) {
            CtlContext context{session.Camera(),    messages,  &progress, &session.Link(),
                               session.StartArea(), line.json, stdout};
            // The counts speak of the verb's own requests, not of the speed search before it.
            session.Camera().Protocol().ResetCounts();
            status = verb->run(context, verbArgs);
        } else if (line.json) {
            // A script that reads standard output still gets one object, saying why there is nothing else.
            std::printf("%s\n", JsonText()
                                    .Add("error", "no camera")
                                    .Add("port", line.connection.Describe())
                                    .Add("status", static_cast<int>(kExitNoCamera))
                                    .Object()
                                    .c_str());
        }
        session.End();
    }
    SetMessageHost(previous);
    return status;
}
