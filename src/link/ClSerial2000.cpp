// Camera Link serial libraries of the 2000 kind.
#include "link/ClSerial2000.h"

#include "framework/MessageBox.h"
#include "platform/FolderSearch.h"

ClSerial2000::ClSerial2000(std::string folder) : ClSerialLibrary(std::move(folder)) {}

ClSerial2000::~ClSerial2000() { CloseEntry(); }

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
    ClSerialRef ref = nullptr;
    if (functions_.init(static_cast<ClUInt32>(index), &ref) != CL_ERR_NO_ERR) {
        return 0;
    }
    serialRef_ = ref;
    entryOpen_ = true;
    openEntryName_ = fileName;
    return 1;
}

int ClSerial2000::SetBaudRate(int rate)
{
    if (rate == 9600) {
        return 1;
    }
    ShowMessage("Selected baud rate is not supported.", {}, MessageButtons::Ok, MessageIcon::Exclamation);
    return 0;
}

int ClSerial2000::ReadBytes(std::uint8_t* buffer, int count, int timeoutMs)
{
    return ReadThrough(functions_.read, buffer, count, timeoutMs);
}

int ClSerial2000::WriteBytes(const std::uint8_t* buffer, int count, int timeoutMs)
{
    return WriteThrough(functions_.write, buffer, count, timeoutMs);
}

void ClSerial2000::CloseEntry()
{
    CloseThrough(functions_.close);
    functions_ = {};
}
