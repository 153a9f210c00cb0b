// Ranking and naming the exit statuses.
#include "ctl/CtlExit.h"

namespace {

int Rank(int status)
{
    switch (status) {
        case kExitOk:
            return 0;
        case kExitRefused:
            return 1;
        case kExitFile:
            return 2;
        case kExitNoCamera:
            return 3;
        default:
            return 4;  // usage, and anything unforeseen
    }
}

}  // namespace

int WorseExit(int a, int b) { return Rank(b) > Rank(a) ? b : a; }

const char* ExitKind(int status)
{
    switch (status) {
        case kExitRefused:
            return "refused";
        case kExitUsage:
            return "usage";
        case kExitNoCamera:
            return "no_camera";
        case kExitFile:
            return "file";
        default:
            return "";
    }
}
