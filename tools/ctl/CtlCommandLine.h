// The companion's command line: the connection and output options, the verb and its own arguments.
#pragma once

#include "ctl/CtlConnection.h"

#include <string>
#include <vector>

struct CtlCommandLine {
    CtlConnection connection;
    bool json = false;
    bool factory = false;
    bool quiet = false;  // no progress bar even on a terminal
    bool help = false;
    bool version = false;
    std::string verb;  // empty: none given
    std::vector<std::string> verbArgs;  // the verb's words and the flags it did not leave to the program

    // Options may stand before or after the verb; an option a verb takes itself (save --factory) goes to
    // the verb. "--" ends the options: what follows is the verb's. 1 on success; 0 with the problem.
    static int Parse(const std::vector<std::string>& args, CtlCommandLine& out, std::string& problem);
    static std::string Usage();
};
