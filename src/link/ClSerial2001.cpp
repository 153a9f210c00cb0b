// The Camera Link serial library of the 2001 kind.
#include "link/ClSerial2001.h"

namespace {

std::string LibraryFileName() { return std::string("clserial") + kSharedLibrarySuffix; }

}  // namespace

ClSerial2001::ClSerial2001(std::string folder) : ClSerialBoundLibrary(std::move(folder)) {}

bool ClSerial2001::LoadAndBind(const std::string& path, DynamicLibrary& library, ClSerial2001Functions& functions)
{
    if (!library.Load(path)) {
        return false;
    }
    Binder bind(library);
    bind("clGetManufacturer", functions.getManufacturer);
    bind("clGetNumManufacturers", functions.getNumManufacturers);
    bind("clSelectManufacturer", functions.selectManufacturer);
    bind("clGetNumSerialPorts", functions.getNumSerialPorts);
    bind("clGetSerialPortIdentifier", functions.getSerialPortIdentifier);
    bind("clSerialInit", functions.init);
    bind("clSerialClose", functions.close);
    bind("clSerialRead", functions.read);
    bind("clSerialWrite", functions.write);
    bind("clGetSupportedBaudRates", functions.getSupportedBaudRates);
    bind("clSetBaudRate", functions.setBaudRate);
    bind("clGetErrorText", functions.getErrorText);
    if (!bind.Complete()) {
        functions = {};
        return false;
    }
    return true;
}

int ClSerial2001::ScanEntries()
{
    // The scan has a library instance of its own, so an entry that is open meanwhile keeps its
    // library and bindings.
    DynamicLibrary library;
    ClSerial2001Functions functions;
    if (!LoadAndBind(LibraryPath(LibraryFileName()), library, functions)) {
        return EntryCount();
    }
    entries_.clear();
    ClUInt32 count = 0;
    if (functions.getNumManufacturers(&count) != CL_ERR_NO_ERR) {
        count = 0;
    }
    count = std::min(count, kMaxEntries);
    for (ClUInt32 i = 0; i < count; ++i) {
        // A failed call leaves an empty name, so positions still match the library's indices.
        char name[kClTextBufferSize] = {};
        ClUInt32 size = kClTextBufferSize;
        ClUInt32 version = 0;
        if (functions.getManufacturer(i, name, &size, &version) != CL_ERR_NO_ERR) {
            name[0] = '\0';
        }
        name[kClTextBufferSize - 1] = '\0';
        entries_.emplace_back(name);
    }
    return EntryCount();
}

int ClSerial2001::OpenEntry(int index)
{
    CloseEntry();
    if (!ValidIndex(index)) {
        return 0;
    }
    if (!LoadAndBind(LibraryPath(LibraryFileName()), library_, functions_)) {
        return 0;
    }
    const std::string& maker = entries_[static_cast<std::size_t>(index)];
    if (functions_.selectManufacturer(maker.c_str()) != CL_ERR_NO_ERR) {
        return 0;
    }
    return InitEntry(index, maker);
}

int ClSerial2001::SetBaudRate(int rate)
{
    if (!entryOpen_) {
        return 0;
    }
    if (SetSupportedRate(rate)) {
        return 1;
    }
    lastError_ = "Selected baud rate is not supported.";
    return 0;
}
