// The Camera Link serial library of the 2001 kind: one dispatcher library ("clserial") that serves
// every installed frame-grabber maker; the list has one entry per maker.
#pragma once

#include "link/ClSerialBoundLibrary.h"

// Every function below must be exported, including the ones the tool does not call.
struct ClSerial2001Functions {
    ClGetManufacturerFn getManufacturer = nullptr;
    ClGetNumManufacturersFn getNumManufacturers = nullptr;
    ClSelectManufacturerFn selectManufacturer = nullptr;
    ClGetNumSerialPortsFn getNumSerialPorts = nullptr;
    ClGetSerialPortIdentifierFn getSerialPortIdentifier = nullptr;
    ClSerialInitFn init = nullptr;
    ClSerialCloseFn close = nullptr;
    ClSerialReadFn read = nullptr;
    ClSerialWriteFn write = nullptr;
    ClGetSupportedBaudRatesFn getSupportedBaudRates = nullptr;
    ClSetBaudRateFn setBaudRate = nullptr;
    ClGetErrorTextFn getErrorText = nullptr;
};

class ClSerial2001 : public ClSerialBoundLibrary<ClSerial2001Functions> {
public:
    // folder: where "clserial" is loaded from; empty for the system folder.
    explicit ClSerial2001(std::string folder = {});

    // Loads the library for the enumeration only. When it cannot be loaded or bound, the list stays as
    // it was and its length is returned.
    int ScanEntries() override;
    // Selects the maker of that entry and opens serial index `index`.
    int OpenEntry(int index) override;
    // Sets the rate when the open channel supports it; otherwise says so and gives 0.
    int SetBaudRate(int rate) override;

private:
    static bool LoadAndBind(const std::string& path, DynamicLibrary& library, ClSerial2001Functions& functions);
};
