// The verbs on single parameters and the camera's identity: info, get, set, send.
#pragma once

#include "ctl/CtlVerb.h"

#include <vector>

class ParameterVerbs {
public:
    static void Add(std::vector<CtlVerb>& verbs);

    // The control-table row bound to a command (its first), -1 when none is.
    static int RowOfCommand(const class ControlTable& table, int commandIndex);
};
