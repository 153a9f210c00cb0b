// The step hook both back ends of the file replace share.
#include "platform/DiskFile.h"

#include <utility>

namespace {

DiskFile::StepHook& Hook()
{
    static DiskFile::StepHook hook;
    return hook;
}

}  // namespace

DiskFile::StepHook DiskFile::SetStepHook(StepHook hook) { return std::exchange(Hook(), std::move(hook)); }

bool DiskFile::StepAllowed(Step step) { return !Hook() || Hook()(step); }
