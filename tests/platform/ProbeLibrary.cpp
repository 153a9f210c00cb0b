// A library the dynamic-loading tests load at run time: one export of its own and one that comes from a second
// library lying in the same folder.
#include "platform/ProbeDependency.h"

extern "C" __declspec(dllexport) int rvProbeAnswer() { return 42; }

extern "C" __declspec(dllexport) int rvProbeFromDependency() { return rvProbeDependencyValue() + 1; }
