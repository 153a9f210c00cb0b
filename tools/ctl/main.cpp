// rv8200xc-ctl: the RV-8200-XC camera from the command line.
#include "ctl/CtlProgram.h"

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    return RunCtlProgram(args);
}
