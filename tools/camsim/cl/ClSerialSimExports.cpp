// A simulated Camera Link dispatcher library of the 2001 kind (clserial): one entry per maker; after
// clSelectManufacturer, serial index n is the n-th port of that maker.
#include "camsim/cl/SimCalls.h"

using camsim::SimLibrary;

namespace {

constexpr const char* kDefaultConfig =
    "port A P0\n"
    "port A P1\n"
    "port B P0\n"
    "port B P1\n";

constexpr ClUInt32 kVersion = 0x00020001;

SimLibrary& Library() { return SimLibrary::Instance(kDefaultConfig); }

}  // namespace

#ifndef CLSIM_OMIT_clGetNumManufacturers
CLSIM_EXPORT ClInt32 CLSER_CDECL clGetNumManufacturers(ClUInt32* count)
{
    SimLibrary& library = Library();
    std::lock_guard<std::mutex> lock(library.Mutex());
    library.Log("clGetNumManufacturers");
    return camsim::SimReportCount(library.Makers().size(), count);
}
#endif

#ifndef CLSIM_OMIT_clGetManufacturer
CLSIM_EXPORT ClInt32 CLSER_CDECL clGetManufacturer(ClUInt32 index, char* name, ClUInt32* nameSize, ClUInt32* version)
{
    SimLibrary& library = Library();
    std::lock_guard<std::mutex> lock(library.Mutex());
    library.Log("clGetManufacturer " + std::to_string(index));
    if (index >= library.Makers().size()) {
        return CL_ERR_INVALID_INDEX;
    }
    if (version != nullptr) {
        *version = kVersion;
    }
    return camsim::CopyClText(library.Makers()[index], name, nameSize);
}
#endif

#ifndef CLSIM_OMIT_clSelectManufacturer
CLSIM_EXPORT ClInt32 CLSER_CDECL clSelectManufacturer(const char* name)
{
    SimLibrary& library = Library();
    std::lock_guard<std::mutex> lock(library.Mutex());
    library.Log(std::string("clSelectManufacturer ") + (name != nullptr ? name : "(null)"));
    return library.SelectMaker(name);
}
#endif

#ifndef CLSIM_OMIT_clGetNumSerialPorts
CLSIM_EXPORT ClInt32 CLSER_CDECL clGetNumSerialPorts(ClUInt32* count)
{
    SimLibrary& library = Library();
    std::lock_guard<std::mutex> lock(library.Mutex());
    library.Log("clGetNumSerialPorts");
    if (!library.HasSelectedMaker()) {
        return CL_ERR_MANU_DOES_NOT_EXIST;
    }
    return camsim::SimReportCount(library.PortCountOfSelectedMaker(), count);
}
#endif

#ifndef CLSIM_OMIT_clGetSerialPortIdentifier
CLSIM_EXPORT ClInt32 CLSER_CDECL clGetSerialPortIdentifier(ClUInt32 serialIndex, char* portId, ClUInt32* idSize)
{
    SimLibrary& library = Library();
    std::lock_guard<std::mutex> lock(library.Mutex());
    library.Log("clGetSerialPortIdentifier " + std::to_string(serialIndex));
    if (!library.HasSelectedMaker()) {
        return CL_ERR_MANU_DOES_NOT_EXIST;
    }
    camsim::SimPort* port = library.PortOfSelectedMaker(serialIndex);
    return port != nullptr ? camsim::CopyClText(port->Config().portId, portId, idSize) : CL_ERR_INVALID_INDEX;
}
#endif

#ifndef CLSIM_OMIT_clSerialInit
CLSIM_EXPORT ClInt32 CLSER_CDECL clSerialInit(ClUInt32 serialIndex, ClSerialRef* serialRef)
{
    SimLibrary& library = Library();
    if (!library.HasSelectedMaker()) {
        library.Log("clSerialInit " + std::to_string(serialIndex) + " -> CL_ERR_MANU_DOES_NOT_EXIST");
        return CL_ERR_MANU_DOES_NOT_EXIST;
    }
    return camsim::SimSerialInit(library, library.PortOfSelectedMaker(serialIndex), serialIndex, serialRef);
}
#endif

#define CLSIM_CALL CLSER_CDECL
#define CLSIM_WITH_RATES
#include "camsim/cl/SimSerialExports.inc"
