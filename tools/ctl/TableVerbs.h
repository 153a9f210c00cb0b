// The verbs on the camera's bulk tables: shading and gamma tables between camera and CSV files.
#pragma once

#include "ctl/CtlVerb.h"

#include <vector>

class TableVerbs {
public:
    static void Add(std::vector<CtlVerb>& verbs);
};
