// One camera's run of a verb, on whichever thread runs it: a session of its own, its own message host
// (installed for that thread alone) and progress, the verb, and the status and JSON object it ends with.
//
// The core was written for one link on one thread; what it keeps for the whole process is safe for runs on
// several threads as the companion uses it: each run's messages go to its own thread's host; the
// online-status registry takes the protocol's reports atomically and has no dialogs to tell; the open-dialog
// list is empty and no user-interface host or timer service is installed, so those are only ever read; the
// Camera Link library objects are the session's own (SessionClSerialKind); every line printed goes through
// the one CtlConsole. Nothing else is shared between runs.
#pragma once

#include "ctl/CtlConnection.h"
#include "ctl/CtlVerb.h"

#include <string>

class CtlConsole;
class ProgressSink;

class CtlCameraRun {
public:
    struct Options {
        bool json = false;
        bool factory = false;
        bool yes = false;  // every question answered Yes
        bool prefixed = false;  // several cameras: every line and message starts with the port
    };

    // The verb, its arguments, the console and the progress outlive the run.
    CtlCameraRun(const CtlConnection& connection, const CtlVerb& verb, const CtlArgs& args, const Options& options,
                 CtlConsole& console, ProgressSink* progress);

    // Reaches the camera, runs the verb, leaves the camera as it was found. Runs once.
    void Run();

    int Status() const { return status_; }
    // {"ok", "port", "status", "error": {"kind", "message"} (when not ok), the verb's fields, "requests"
    // (once the camera answered), "messages"}.
    const std::string& JsonObject() const { return json_; }

private:
    std::string ErrorMessage(int status, const std::string& kind, const std::vector<std::string>& stops,
                             const std::vector<std::string>& all) const;

    CtlConnection connection_;
    const CtlVerb& verb_;
    const CtlArgs& args_;
    Options options_;
    CtlConsole& console_;
    ProgressSink* progress_;
    int status_ = -1;
    std::string json_;
};
