// The verb list.
#include "CtlVerbList.h"

#include "FileVerbs.h"
#include "OperationVerbs.h"
#include "ParameterVerbs.h"

const std::vector<CtlVerb>& CtlVerbList::All()
{
    static const std::vector<CtlVerb> verbs = [] {
        std::vector<CtlVerb> all;
        ParameterVerbs::Add(all);
        FileVerbs::Add(all);
        OperationVerbs::Add(all);
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
