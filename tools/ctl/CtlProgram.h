// The companion from its command line to its exit status.
#pragma once

#include <string>
#include <vector>

// The arguments after the program name; gives the exit status (CtlExit).
int RunCtlProgram(const std::vector<std::string>& args);
