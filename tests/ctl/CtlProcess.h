// Test helper: runs rv8200xc-ctl as a process of its own and keeps what it printed, its exit status and
// how long it took.
#pragma once

#include "support/FileText.h"

#include <string>
#include <vector>

struct CtlRun {
    int status = -1;  // the exit status; -1 when it had to be killed or could not start
    std::string out;
    std::string err;
    double seconds = 0.0;
};

// Runs the companion (RV_CTL_EXECUTABLE) with the arguments, in the test's environment, for at most
// limitSeconds.
CtlRun RunCtl(const std::vector<std::string>& args, double limitSeconds = 60.0);

// Any program (argv[0] a path), the same way.
CtlRun RunProgram(const std::vector<std::string>& argv, double limitSeconds = 60.0);
