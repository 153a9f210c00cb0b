// The verb list.
#include "ctl/CtlVerbList.h"

#include "ctl/OperationVerbs.h"
#include "ctl/ParameterVerbs.h"
#include "ctl/PortVerbs.h"
#include "ctl/SettingFileVerbs.h"
#include "ctl/TableVerbs.h"

const std::vector<CtlVerb>& CtlVerbList::All()
{
    static const std::vector<CtlVerb> verbs = [] {
        std::vector<CtlVerb> all;
        ParameterVerbs::Add(all);
        SettingFileVerbs::Add(all);
        TableVerbs::Add(all);
        OperationVerbs::Add(all);
        PortVerbs::Add(all);
        return all;
    }();
    return verbs;
}

const CtlVerb* CtlVerbList::Find(const std::string& name)
{
    for (const CtlVerb& verb : All()) {
        if (verb.name == name) return &verb;
    }
    return nullptr;
}
