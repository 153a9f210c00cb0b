// Every verb of the companion, in the order the help lists them.
#pragma once

#include "ctl/CtlVerb.h"

#include <vector>

class CtlVerbList {
public:
    static const std::vector<CtlVerb>& All();
    // nullptr for a name that is no verb.
    static const CtlVerb* Find(const std::string& name);
};
