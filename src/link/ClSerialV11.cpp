// The version 1.1 Camera Link serial library.
#include "link/ClSerialV11.h"

#include "base/StrFormat.h"

namespace {

std::string LibraryFileName() { return std::string("clallserial") + kSharedLibrarySuffix; }

}  // namespace

ClSerialV11::ClSerialV11(std::string folder) : ClSerialBoundLibrary(std::move(folder)) {}

bool ClSerialV11::LoadAndBind(const std::string& path, DynamicLibrary& library, ClSerialV11Functions& functions)
{
    if (!library.Load(path)) {
        return false;
    }
    Binder bind(library);
    bind("clSerialInit", functions.init);
    bind("clSerialClose", functions.close);
    bind("clSetBaudRate", functions.setBaudRate);
    bind("clSerialRead", functions.read);
    bind("clSerialWrite", functions.write);
    bind("clFlushPort", functions.flushPort);
    bind("clGetErrorText", functions.getErrorText);
    bind("clGetNumPorts", functions.getNumPorts);
    bind("clGetNumBytesAvail", functions.getNumBytesAvail);
    bind("clGetPortInfo", functions.getPortInfo);
    bind("clGetSupportedBaudRates", functions.getSupportedBaudRates);
    if (!bind.Complete()) {
        functions = {};
        return false;
    }
    return true;
}

int ClSerialV11::ScanEntries()
{
    entries_.clear();
    // The scan has a library instance of its own, so an entry that is open meanwhile keeps its
    // library and bindings.
    DynamicLibrary library;
    ClSerialV11Functions functions;
    if (!LoadAndBind(LibraryPath(LibraryFileName()), library, functions)) {
        return 0;
    }
    ClUInt32 count = 0;
    if (functions.getNumPorts(&count) != CL_ERR_NO_ERR) {
        count = 0;
    }
    count = std::min(count, kMaxEntries);
    for (ClUInt32 i = 0; i < count; ++i) {
        // A failed call leaves empty texts, so positions still match the library's port indices.
        char maker[kClTextBufferSize] = {};
        char port[kClTextBufferSize] = {};
        ClUInt32 makerSize = kClTextBufferSize;
        ClUInt32 portSize = kClTextBufferSize;
        ClUInt32 version = 0;
        if (functions.getPortInfo(i, maker, &makerSize, port, &portSize, &version) != CL_ERR_NO_ERR) {
            maker[0] = '\0';
            port[0] = '\0';
        }
        maker[kClTextBufferSize - 1] = '\0';
        port[kClTextBufferSize - 1] = '\0';
        entries_.push_back(StrFormat("%s - %s", maker, port));
    }
    return EntryCount();
}

int ClSerialV11::OpenEntry(int index)
{
    CloseEntry();
    if (!ValidIndex(index)) {
        return 0;
    }
    if (!LoadAndBind(LibraryPath(LibraryFileName()), library_, functions_)) {
        return 0;
    }
    return InitEntry(index, entries_[static_cast<std::size_t>(index)]);
}

int ClSerialV11::SetBaudRate(int rate)
{
    if (!entryOpen_) {
        return 0;
    }
    if (SetSupportedRate(rate)) {
        return 1;
    }
    lastError_ = StrFormat("Selected baud rate is not supported in %s.", openEntryName_.c_str());
    return 0;
}
