// A Camera Link library kind with its bound functions: the read, write, rate and close calls every kind
// makes the same way, through function pointers of the kind's own calling convention.
#pragma once

#include "link/ClSerialLibrary.h"

// Functions: the kind's table of bound functions, with at least init, close, read and write; a kind
// whose libraries can change the rate also has getSupportedBaudRates and setBaudRate.
template <typename Functions>
class ClSerialBoundLibrary : public ClSerialLibrary {
public:
    ~ClSerialBoundLibrary() override { ClSerialBoundLibrary::CloseEntry(); }

    bool SupportsBaudRate(int rate) override
    {
        if constexpr (kCanChangeRate) {
            return SupportsThrough(functions_.getSupportedBaudRates, rate);
        } else {
            return rate == 9600;  // such libraries have no rate call: they run at the camera's start rate
        }
    }
    int ReadBytes(std::uint8_t* buffer, int count, int timeoutMs) override
    {
        return ReadThrough(functions_.read, buffer, count, timeoutMs);
    }
    int WriteBytes(const std::uint8_t* buffer, int count, int timeoutMs) override
    {
        return WriteThrough(functions_.write, buffer, count, timeoutMs);
    }
    void CloseEntry() override
    {
        CloseThrough(functions_.close);
        functions_ = {};
    }

protected:
    static constexpr bool kCanChangeRate = requires(Functions f)
    {
        f.getSupportedBaudRates;
        f.setBaudRate;
    };

    using ClSerialLibrary::ClSerialLibrary;

    // Sets a rate the open entry supports; false without an open entry or for a refused rate.
    bool SetSupportedRate(int rate)
    {
        if constexpr (kCanChangeRate) {
            return entryOpen_ && SetRateThrough(functions_.getSupportedBaudRates, functions_.setBaudRate, rate);
        } else {
            return rate == 9600;
        }
    }

    // Opens serial index `index` of the bound library as the entry `name`: 1, or 0 when clSerialInit fails
    // (the library stays loaded until the next close).
    int InitEntry(int index, const std::string& name)
    {
        ClSerialRef ref = nullptr;
        if (functions_.init(static_cast<ClUInt32>(index), &ref) != CL_ERR_NO_ERR) return 0;
        serialRef_ = ref;
        entryOpen_ = true;
        openEntryName_ = name;
        return 1;
    }

    Functions functions_;
};
