// The version 1.1 Camera Link serial library: one aggregator ("clallserial") that lists every serial
// port of every installed frame grabber; the list has one entry per port, "maker - port".
#pragma once

#include "link/ClSerialBoundLibrary.h"

// Every function below must be exported, including the ones the tool does not call.
struct ClSerialV11Functions {
    ClAllSerialInitFn init = nullptr;
    ClAllSerialCloseFn close = nullptr;
    ClAllSetBaudRateFn setBaudRate = nullptr;
    ClAllSerialReadFn read = nullptr;
    ClAllSerialWriteFn write = nullptr;
    ClAllFlushPortFn flushPort = nullptr;
    ClAllGetErrorTextFn getErrorText = nullptr;
    ClAllGetNumPortsFn getNumPorts = nullptr;
    ClAllGetNumBytesAvailFn getNumBytesAvail = nullptr;
    ClAllGetPortInfoFn getPortInfo = nullptr;
    ClAllGetSupportedBaudRatesFn getSupportedBaudRates = nullptr;
};

class ClSerialV11 : public ClSerialBoundLibrary<ClSerialV11Functions> {
public:
    // folder: where "clallserial" is loaded from; empty for the system folder.
    explicit ClSerialV11(std::string folder = {});

    // Empties the list first: a library that cannot be loaded or bound leaves it empty.
    int ScanEntries() override;
    int OpenEntry(int index) override;
    // Sets the rate when the open port supports it; otherwise names the port and gives 0.
    int SetBaudRate(int rate) override;

private:
    static bool LoadAndBind(const std::string& path, DynamicLibrary& library, ClSerialV11Functions& functions);
};
