// A simulated version 1.1 Camera Link aggregator library (clallserial): every port of every maker in one
// list, serial index n being the n-th port.
#include "camsim/cl/SimCalls.h"

using camsim::SimLibrary;

namespace {

constexpr const char* kDefaultConfig =
    "port A P0\n"
    "port A P1\n"
    "port B P0\n";

constexpr ClUInt32 kVersion = 0x00010001;

SimLibrary& Library() { return SimLibrary::Instance(kDefaultConfig); }

}  // namespace

#ifndef CLSIM_OMIT_clGetNumPorts
CLSIM_EXPORT ClInt32 CLSER_STDCALL clGetNumPorts(ClUInt32* count)
{
    SimLibrary& library = Library();
    std::lock_guard<std::mutex> lock(library.Mutex());
    library.Log("clGetNumPorts");
    return camsim::SimReportCount(library.PortCount(), count);
}
#endif

#ifndef CLSIM_OMIT_clGetPortInfo
CLSIM_EXPORT ClInt32 CLSER_STDCALL clGetPortInfo(ClUInt32 serialIndex, char* manufacturerName, ClUInt32* nameSize,
                                                 char* portId, ClUInt32* idSize, ClUInt32* version)
{
    SimLibrary& library = Library();
    std::lock_guard<std::mutex> lock(library.Mutex());
    library.Log("clGetPortInfo " + std::to_string(serialIndex));
    camsim::SimPort* port = library.Port(serialIndex);
    if (port == nullptr) {
        return CL_ERR_INVALID_INDEX;
    }
    if (version != nullptr) {
        *version = kVersion;
    }
    // Both sizes are reported even when the first text does not fit.
    ClInt32 nameResult = camsim::CopyClText(port->Config().maker, manufacturerName, nameSize);
    ClInt32 idResult = camsim::CopyClText(port->Config().portId, portId, idSize);
    return nameResult != CL_ERR_NO_ERR ? nameResult : idResult;
}
#endif

#ifndef CLSIM_OMIT_clSerialInit
CLSIM_EXPORT ClInt32 CLSER_STDCALL clSerialInit(ClUInt32 serialIndex, ClSerialRef* serialRef)
{
    return camsim::SimSerialInit(Library(), Library().Port(serialIndex), serialIndex, serialRef);
}
#endif

#define CLSIM_CALL CLSER_STDCALL
#define CLSIM_WITH_RATES
#include "camsim/cl/SimSerialExports.inc"

#ifndef CLSIM_OMIT_clFlushPort
CLSIM_EXPORT ClInt32 CLSER_STDCALL clFlushPort(ClSerialRef serialRef)
{
    return camsim::SimFlushPort(Library(), serialRef);
}
#endif

#ifndef CLSIM_OMIT_clGetNumBytesAvail
CLSIM_EXPORT ClInt32 CLSER_STDCALL clGetNumBytesAvail(ClSerialRef serialRef, ClUInt32* numBytes)
{
    return camsim::SimGetNumBytesAvail(Library(), serialRef, numBytes);
}
#endif
