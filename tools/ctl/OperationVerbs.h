// The verbs on the camera's flash areas and one-shot operations: store, restore, calibrate,
// white-balance.
#pragma once

#include "ctl/CtlVerb.h"

#include <vector>

class OperationVerbs {
public:
    static void Add(std::vector<CtlVerb>& verbs);

    // "factory" 0, "user1" .. "user3" 1 .. 3; -1 for any other word.
    static int AreaOf(const std::string& word);
};
