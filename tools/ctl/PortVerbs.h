// The verb on this computer's serial ports, which needs no camera: where each COMn leads, the adapters
// present, and making a port lead to one of them.
#pragma once

#include "ctl/CtlVerb.h"

#include <vector>

class PortVerbs {
public:
    static void Add(std::vector<CtlVerb>& verbs);
};
