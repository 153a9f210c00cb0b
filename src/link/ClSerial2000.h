// Camera Link serial libraries of the 2000 kind: one library file per frame-grabber maker, every
// "clser*" library of the system folder, each with the four basic serial functions.
#pragma once

#include "link/ClSerialLibrary.h"

class ClSerial2000 : public ClSerialLibrary {
public:
    // folder: where the libraries are searched; empty for the system folder.
    explicit ClSerial2000(std::string folder = {});
    ~ClSerial2000() override;

    // The list holds the file names of the matching libraries; none is loaded for it.
    int ScanEntries() override;
    // Loads the library of that entry from the folder of the last scan and opens serial index `index`.
    int OpenEntry(int index) override;
    // These libraries cannot change the rate: only 9600 bit/s is accepted, the library is not asked.
    int SetBaudRate(int rate) override;
    bool SupportsBaudRate(int rate) override { return rate == 9600; }
    int ReadBytes(std::uint8_t* buffer, int count, int timeoutMs) override;
    int WriteBytes(const std::uint8_t* buffer, int count, int timeoutMs) override;
    void CloseEntry() override;

private:
    struct Functions {
        ClSerialInitFn init = nullptr;
        ClSerialCloseFn close = nullptr;
        ClSerialReadFn read = nullptr;
        ClSerialWriteFn write = nullptr;
    };

    Functions functions_;
    std::string scannedFolder_;
};
