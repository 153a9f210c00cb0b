// The exit statuses of the command-line companion, the contract scripts test, sorted by cause.
#pragma once

enum CtlExit : int {
    kExitOk = 0,
    kExitRefused = 1,  // the camera refused something, or (diff, set read-back) what it holds differs
    kExitUsage = 2,  // the command line or a value is wrong; nothing was sent
    kExitNoCamera = 3,  // no camera: the port is missing, the camera is silent or stopped answering (two
                        // time-outs in a row), or it is not a model the tool knows
    kExitFile = 4,  // a file cannot be read or written, or a table file of the wrong kind or length was declined
};

// The worse of two statuses, for a run on several cameras: usage, then no camera, then a file problem,
// then a refusal.
int WorseExit(int a, int b);
// The JSON error kind of a failing status: "refused", "usage", "no_camera", "file".
const char* ExitKind(int status);
