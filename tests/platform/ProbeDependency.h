// The second library of the dynamic-loading tests: found only in the folder of the library that needs it.
#pragma once

#if defined(RV_PROBE_DEPENDENCY_BUILD)
#define RV_PROBE_DEPENDENCY_API __declspec(dllexport)
#else
#define RV_PROBE_DEPENDENCY_API __declspec(dllimport)
#endif

extern "C" RV_PROBE_DEPENDENCY_API int rvProbeDependencyValue();
