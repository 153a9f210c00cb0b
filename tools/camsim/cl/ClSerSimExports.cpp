// A simulated per-maker Camera Link library of the 2000 kind (clser*): the four basic serial functions,
// serial index n being the n-th configured port.
#include "camsim/cl/SimCalls.h"

using camsim::SimLibrary;

namespace {

constexpr const char* kDefaultConfig =
    "port Sim P0\n"
    "port Sim P1\n";

SimLibrary& Library() { return SimLibrary::Instance(kDefaultConfig); }

}  // namespace

#ifndef CLSIM_OMIT_clSerialInit
CLSIM_EXPORT ClInt32 CLSER_CDECL clSerialInit(ClUInt32 serialIndex, ClSerialRef* serialRef)
{
    return camsim::SimSerialInit(Library(), Library().Port(serialIndex), serialIndex, serialRef);
}
#endif

#define CLSIM_CALL CLSER_CDECL
#include "camsim/cl/SimSerialExports.inc"
