// Camera Link serial libraries of the 2000 kind.
#include "link/ClSerial2000.h"

#include "platform/FolderSearch.h"

ClSerial2000::ClSerial2000(std::string folder) : ClSerialBoundLibrary(std::move(folder)) {}

int ClSerial2000::ScanEntries()
{
    scannedFolder_ = Folder();
    entries_ = FolderSearch::FindFiles(scannedFolder_, std::string("clser*") + kSharedLibrarySuffix);
    return EntryCount();
}

int ClSerial2000::OpenEntry(int index)
{
    CloseEntry();
    if (!ValidIndex(index)) {
        return 0;
    }
    const std::string& fileName = entries_[static_cast<std::size_t>(index)];
    if (!library_.Load(FolderSearch::JoinPath(scannedFolder_, fileName))) {
        return 0;
    }
    Binder bind(library_);
    bind("clSerialInit", functions_.init);
    bind("clSerialClose", functions_.close);
    bind("clSerialRead", functions_.read);
    bind("clSerialWrite", functions_.write);
    if (!bind.Complete()) {
        functions_ = {};
        return 0;
    }
    return InitEntry(index, fileName);
}

int ClSerial2000::SetBaudRate(int rate)
{
    if (rate == 9600) {
        return 1;
    }
    lastError_ = "Selected baud rate is not supported.";
    return 0;
}
