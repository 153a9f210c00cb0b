// The companion's command line: the connection and output options, the verb and its own arguments.
#pragma once

#include "ctl/CtlConnection.h"

#include <string>
#include <vector>

struct CtlCommandLine {
    // One per --port or --cameralink, in the order given; COM1 alone when none is given. The verb runs on
    // every one of them at once.
    std::vector<CtlConnection> connections;
    bool json = false;
    bool yes = false;  // every question is answered Yes (without: its default, No for a wrong table file)
    bool factory = false;
    bool quiet = false;  // no progress bar even on a terminal
    bool help = false;
    bool version = false;
    std::string verb;  // empty: none given
    std::vector<std::string> verbArgs;  // the verb's words and the flags it did not leave to the program

    // Options may stand before or after the verb; an option a verb takes itself (save --factory) goes to
    // the verb. "--" ends the options: what follows is the verb's. --baud and --keep-speed hold for every
    // camera. 1 on success; 0 with the problem.
    static int Parse(const std::vector<std::string>& args, CtlCommandLine& out, std::string& problem);
    static std::string Usage();
    // Whether the words ask for JSON output, also when they cannot be parsed: a usage error is then said as
    // JSON too.
    static bool WantsJson(const std::vector<std::string>& args);
};
