// The verbs on files: save and load setting files, shading and gamma tables between camera and CSV files.
#pragma once

#include "ctl/CtlVerb.h"

#include <vector>

class FileVerbs {
public:
    static void Add(std::vector<CtlVerb>& verbs);
};
