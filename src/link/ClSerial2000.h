// Camera Link serial libraries of the 2000 kind: one library file per frame-grabber maker, every
// "clser*" library of the system folder, each with the four basic serial functions.
#pragma once

#include "link/ClSerialBoundLibrary.h"

struct ClSerial2000Functions {
    ClSerialInitFn init = nullptr;
    ClSerialCloseFn close = nullptr;
    ClSerialReadFn read = nullptr;
    ClSerialWriteFn write = nullptr;
};

class ClSerial2000 : public ClSerialBoundLibrary<ClSerial2000Functions> {
public:
    // folder: where the libraries are searched; empty for the system folder.
    explicit ClSerial2000(std::string folder = {});

    // The list holds the file names of the matching libraries; none is loaded for it.
    int ScanEntries() override;
    // Loads the library of that entry from the folder of the last scan and opens serial index `index`.
    int OpenEntry(int index) override;
    // These libraries cannot change the rate: only 9600 bit/s is accepted, the library is not asked.
    int SetBaudRate(int rate) override;

private:
    std::string scannedFolder_;
};
