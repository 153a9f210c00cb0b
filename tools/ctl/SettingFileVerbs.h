// The verbs on camera setting files: save, load, dump and diff.
#pragma once

#include "ctl/CtlVerb.h"

#include <vector>

class SettingFileVerbs {
public:
    static void Add(std::vector<CtlVerb>& verbs);
};
