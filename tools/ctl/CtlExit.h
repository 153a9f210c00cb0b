// The exit statuses of the command-line companion, the contract scripts test.
#pragma once

enum CtlExit : int {
    kExitOk = 0,
    kExitRefused = 1,  // the camera refused something, or (diff, set read-back) what it holds differs
    kExitUsage = 2,  // the command line, a value or a file is wrong; nothing was sent
    kExitNoCamera = 3,  // no camera answered, or it stopped answering (two time-outs in a row)
};
