// The Camera Link serial calls the three simulated library kinds answer alike, once the port is known.
#pragma once

#include "camsim/cl/SimLibrary.h"

// Exported with default visibility; everything else in the simulated libraries stays hidden, so two of
// them (or the simulator linked into a test) never resolve into each other.
#ifdef _WIN32
#define CLSIM_EXPORT extern "C" __declspec(dllexport)
#else
#define CLSIM_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace camsim {

// A count the caller asked for, stored where it points; refused when it points nowhere.
ClInt32 SimReportCount(std::size_t count, ClUInt32* out);
// Opens port (nullptr: the index is outside the list) and hands out its reference.
ClInt32 SimSerialInit(SimLibrary& library, SimPort* port, ClUInt32 index, ClSerialRef* serialRef);
void SimSerialClose(SimLibrary& library, ClSerialRef serialRef);
ClInt32 SimSerialRead(SimLibrary& library, ClSerialRef serialRef, char* buffer, ClUInt32* size, ClUInt32 timeoutMs);
ClInt32 SimSerialWrite(SimLibrary& library, ClSerialRef serialRef, const char* buffer, ClUInt32* size,
                       ClUInt32 timeoutMs);
ClInt32 SimGetSupportedBaudRates(SimLibrary& library, ClSerialRef serialRef, ClUInt32* mask);
ClInt32 SimSetBaudRate(SimLibrary& library, ClSerialRef serialRef, ClUInt32 code);
ClInt32 SimGetErrorText(SimLibrary& library, ClInt32 code, char* text, ClUInt32* size);
ClInt32 SimFlushPort(SimLibrary& library, ClSerialRef serialRef);
ClInt32 SimGetNumBytesAvail(SimLibrary& library, ClSerialRef serialRef, ClUInt32* count);

}  // namespace camsim
