// The second library of the dynamic-loading tests.
#include "platform/ProbeDependency.h"

extern "C" int rvProbeDependencyValue() { return 6; }
