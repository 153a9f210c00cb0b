// The Camera Link serial calls the three simulated library kinds answer alike.
#include "camsim/cl/SimCalls.h"

namespace camsim {

namespace {

std::string Result(ClInt32 code)
{
    std::string name = ClErrorName(code);
    return name.empty() ? std::to_string(code) : name;
}

}  // namespace

ClInt32 SimReportCount(std::size_t count, ClUInt32* out)
{
    if (out == nullptr) {
        return CL_ERR_INVALID_REFERENCE;
    }
    *out = static_cast<ClUInt32>(count);
    return CL_ERR_NO_ERR;
}

ClInt32 SimSerialInit(SimLibrary& library, SimPort* port, ClUInt32 index, ClSerialRef* serialRef)
{
    std::lock_guard<std::mutex> lock(library.Mutex());
    ClInt32 result = CL_ERR_INVALID_INDEX;
    if (serialRef == nullptr) {
        result = CL_ERR_INVALID_REFERENCE;
    } else if (port != nullptr) {
        result = port->Open();
        *serialRef = result == CL_ERR_NO_ERR ? library.ReferenceOf(port) : nullptr;
    }
    library.Log("clSerialInit " + std::to_string(index) + " -> " + Result(result));
    return result;
}

void SimSerialClose(SimLibrary& library, ClSerialRef serialRef)
{
    std::lock_guard<std::mutex> lock(library.Mutex());
    SimPort* port = library.FromReference(serialRef);
    if (port != nullptr) {
        port->Close();
    }
    library.Log(std::string("clSerialClose") + (port != nullptr ? "" : " (not open)"));
}

ClInt32 SimSerialRead(SimLibrary& library, ClSerialRef serialRef, char* buffer, ClUInt32* size, ClUInt32 timeoutMs)
{
    std::lock_guard<std::mutex> lock(library.Mutex());
    SimPort* port = library.FromReference(serialRef);
    if (port == nullptr || size == nullptr || (buffer == nullptr && *size > 0)) {
        library.Log("clSerialRead -> CL_ERR_INVALID_REFERENCE");
        return CL_ERR_INVALID_REFERENCE;
    }
    ClUInt32 wanted = *size;
    ClInt32 result = port->Read(buffer, *size, timeoutMs);
    // Every empty poll would flood the log; only reads that obtained bytes or failed otherwise appear.
    if (*size > 0 || (result != CL_ERR_NO_ERR && result != CL_ERR_TIMEOUT)) {
        library.Log("clSerialRead " + std::to_string(wanted) + " " + std::to_string(timeoutMs) + " -> " +
                    Result(result) + " " + std::to_string(*size));
    }
    return result;
}

ClInt32 SimSerialWrite(SimLibrary& library, ClSerialRef serialRef, const char* buffer, ClUInt32* size,
                       ClUInt32 timeoutMs)
{
    std::lock_guard<std::mutex> lock(library.Mutex());
    SimPort* port = library.FromReference(serialRef);
    ClInt32 result = CL_ERR_INVALID_REFERENCE;
    if (port != nullptr && size != nullptr && (buffer != nullptr || *size == 0)) {
        result = port->Write(buffer, *size);
    }
    library.Log("clSerialWrite " + (size != nullptr ? std::to_string(*size) : std::string("-")) + " " +
                std::to_string(timeoutMs) + " -> " + Result(result));
    return result;
}

ClInt32 SimGetSupportedBaudRates(SimLibrary& library, ClSerialRef serialRef, ClUInt32* mask)
{
    std::lock_guard<std::mutex> lock(library.Mutex());
    SimPort* port = library.FromReference(serialRef);
    ClInt32 result = CL_ERR_INVALID_REFERENCE;
    if (port != nullptr && mask != nullptr) {
        result = port->SupportedRates(*mask);
    }
    library.Log("clGetSupportedBaudRates -> " + Result(result));
    return result;
}

ClInt32 SimSetBaudRate(SimLibrary& library, ClSerialRef serialRef, ClUInt32 code)
{
    std::lock_guard<std::mutex> lock(library.Mutex());
    SimPort* port = library.FromReference(serialRef);
    ClInt32 result = port != nullptr ? port->SetRate(code) : CL_ERR_INVALID_REFERENCE;
    library.Log("clSetBaudRate " + std::to_string(code) + " -> " + Result(result));
    return result;
}

ClInt32 SimGetErrorText(SimLibrary& library, ClInt32 code, char* text, ClUInt32* size)
{
    std::lock_guard<std::mutex> lock(library.Mutex());
    std::string name = ClErrorName(code);
    ClInt32 result = name.empty() ? CL_ERR_ERROR_NOT_FOUND : CopyClText(name, text, size);
    library.Log("clGetErrorText " + std::to_string(code) + " -> " + Result(result));
    return result;
}

ClInt32 SimFlushPort(SimLibrary& library, ClSerialRef serialRef)
{
    std::lock_guard<std::mutex> lock(library.Mutex());
    SimPort* port = library.FromReference(serialRef);
    if (port != nullptr) {
        port->Flush();
    }
    ClInt32 result = port != nullptr ? CL_ERR_NO_ERR : CL_ERR_INVALID_REFERENCE;
    library.Log("clFlushPort -> " + Result(result));
    return result;
}

ClInt32 SimGetNumBytesAvail(SimLibrary& library, ClSerialRef serialRef, ClUInt32* count)
{
    std::lock_guard<std::mutex> lock(library.Mutex());
    SimPort* port = library.FromReference(serialRef);
    ClInt32 result = CL_ERR_INVALID_REFERENCE;
    if (port != nullptr && count != nullptr) {
        *count = port->BytesAvailable();
        result = CL_ERR_NO_ERR;
    }
    library.Log("clGetNumBytesAvail -> " + Result(result));
    return result;
}

}  // namespace camsim
