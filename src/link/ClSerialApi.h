// The published Camera Link serial interface: its types, error codes, baud-rate bits and the function
// types bound by name from the frame-grabber makers' libraries.
#pragma once

#include <cstdint>

// Per-maker libraries (clser*, clserial) use the C calling convention; the version 1.1 aggregator
// (clallserial) uses stdcall. Both only differ on 32-bit Windows.
#if defined(_WIN32) && !defined(_WIN64)
#define CLSER_CDECL __cdecl
#define CLSER_STDCALL __stdcall
#else
#define CLSER_CDECL
#define CLSER_STDCALL
#endif

// Fixed-width on every system: the interface's "long" is 32 bits on Windows, where it was defined.
using ClInt32 = std::int32_t;
using ClUInt32 = std::uint32_t;
using ClSerialRef = void*;

// Results of the library functions; 0 is success.
inline constexpr ClInt32 CL_ERR_NO_ERR = 0;
inline constexpr ClInt32 CL_ERR_BUFFER_TOO_SMALL = -10001;
inline constexpr ClInt32 CL_ERR_MANU_DOES_NOT_EXIST = -10002;
inline constexpr ClInt32 CL_ERR_PORT_IN_USE = -10003;
inline constexpr ClInt32 CL_ERR_TIMEOUT = -10004;
inline constexpr ClInt32 CL_ERR_INVALID_INDEX = -10005;
inline constexpr ClInt32 CL_ERR_INVALID_REFERENCE = -10006;
inline constexpr ClInt32 CL_ERR_ERROR_NOT_FOUND = -10007;
inline constexpr ClInt32 CL_ERR_BAUD_RATE_NOT_SUPPORTED = -10008;
inline constexpr ClInt32 CL_ERR_OUT_OF_MEMORY = -10009;
inline constexpr ClInt32 CL_ERR_UNABLE_TO_LOAD_DLL = -10098;
inline constexpr ClInt32 CL_ERR_FUNCTION_NOT_FOUND = -10099;

// Baud-rate bits of clGetSupportedBaudRates and clSetBaudRate.
inline constexpr ClUInt32 CL_BAUDRATE_9600 = 1;
inline constexpr ClUInt32 CL_BAUDRATE_19200 = 2;
inline constexpr ClUInt32 CL_BAUDRATE_38400 = 4;
inline constexpr ClUInt32 CL_BAUDRATE_57600 = 8;
inline constexpr ClUInt32 CL_BAUDRATE_115200 = 16;
inline constexpr ClUInt32 CL_BAUDRATE_230400 = 32;
inline constexpr ClUInt32 CL_BAUDRATE_460800 = 64;
inline constexpr ClUInt32 CL_BAUDRATE_921600 = 128;

// The rate bit of a rate in bit/s; 0 (never supported) for a rate the interface does not know.
constexpr ClUInt32 ClBaudRateCode(int rate)
{
    switch (rate) {
        case 9600:
            return CL_BAUDRATE_9600;
        case 19200:
            return CL_BAUDRATE_19200;
        case 38400:
            return CL_BAUDRATE_38400;
        case 57600:
            return CL_BAUDRATE_57600;
        case 115200:
            return CL_BAUDRATE_115200;
        case 230400:
            return CL_BAUDRATE_230400;
        case 460800:
            return CL_BAUDRATE_460800;
        case 921600:
            return CL_BAUDRATE_921600;
        default:
            return 0;
    }
}

// The rate in bit/s of one rate bit; 0 for anything else.
constexpr int ClBaudRateOfCode(ClUInt32 code)
{
    constexpr int kRates[] = {9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600};
    for (int rate : kRates) {
        if (ClBaudRateCode(rate) == code) {
            return rate;
        }
    }
    return 0;
}

// Names are zero-terminated texts in buffers of this size (the size is passed, so the library never
// writes past it).
inline constexpr ClUInt32 kClTextBufferSize = 128;

// The functions bound by name. Sizes travel as pointers to 32-bit counts: in, the buffer's size or
// the bytes wanted; out, the bytes obtained.
extern "C" {
// Per-maker libraries (the 2000 kind, clser*) and the 2001 dispatcher (clserial).
typedef ClInt32(CLSER_CDECL* ClSerialInitFn)(ClUInt32 serialIndex, ClSerialRef* serialRef);
typedef void(CLSER_CDECL* ClSerialCloseFn)(ClSerialRef serialRef);
typedef ClInt32(CLSER_CDECL* ClSerialReadFn)(ClSerialRef serialRef, char* buffer, ClUInt32* bufferSize,
                                             ClUInt32 timeoutMs);
typedef ClInt32(CLSER_CDECL* ClSerialWriteFn)(ClSerialRef serialRef, char* buffer, ClUInt32* bufferSize,
                                              ClUInt32 timeoutMs);
typedef ClInt32(CLSER_CDECL* ClGetManufacturerFn)(ClUInt32 index, char* name, ClUInt32* nameSize, ClUInt32* version);
typedef ClInt32(CLSER_CDECL* ClGetNumManufacturersFn)(ClUInt32* count);
typedef ClInt32(CLSER_CDECL* ClSelectManufacturerFn)(const char* name);
typedef ClInt32(CLSER_CDECL* ClGetNumSerialPortsFn)(ClUInt32* count);
typedef ClInt32(CLSER_CDECL* ClGetSerialPortIdentifierFn)(ClUInt32 serialIndex, char* portId, ClUInt32* idSize);
typedef ClInt32(CLSER_CDECL* ClGetSupportedBaudRatesFn)(ClSerialRef serialRef, ClUInt32* baudRates);
typedef ClInt32(CLSER_CDECL* ClSetBaudRateFn)(ClSerialRef serialRef, ClUInt32 baudRate);
typedef ClInt32(CLSER_CDECL* ClGetErrorTextFn)(ClInt32 errorCode, char* text, ClUInt32* textSize);

// The version 1.1 aggregator (clallserial): the same calls in stdcall, plus its port enumeration.
typedef ClInt32(CLSER_STDCALL* ClAllSerialInitFn)(ClUInt32 serialIndex, ClSerialRef* serialRef);
typedef void(CLSER_STDCALL* ClAllSerialCloseFn)(ClSerialRef serialRef);
typedef ClInt32(CLSER_STDCALL* ClAllSerialReadFn)(ClSerialRef serialRef, char* buffer, ClUInt32* bufferSize,
                                                  ClUInt32 timeoutMs);
typedef ClInt32(CLSER_STDCALL* ClAllSerialWriteFn)(ClSerialRef serialRef, char* buffer, ClUInt32* bufferSize,
                                                   ClUInt32 timeoutMs);
typedef ClInt32(CLSER_STDCALL* ClAllSetBaudRateFn)(ClSerialRef serialRef, ClUInt32 baudRate);
typedef ClInt32(CLSER_STDCALL* ClAllFlushPortFn)(ClSerialRef serialRef);
typedef ClInt32(CLSER_STDCALL* ClAllGetErrorTextFn)(ClInt32 errorCode, char* text, ClUInt32* textSize);
typedef ClInt32(CLSER_STDCALL* ClAllGetNumPortsFn)(ClUInt32* count);
typedef ClInt32(CLSER_STDCALL* ClAllGetNumBytesAvailFn)(ClSerialRef serialRef, ClUInt32* count);
typedef ClInt32(CLSER_STDCALL* ClAllGetPortInfoFn)(ClUInt32 serialIndex, char* manufacturerName, ClUInt32* nameSize,
                                                   char* portId, ClUInt32* idSize, ClUInt32* version);
typedef ClInt32(CLSER_STDCALL* ClAllGetSupportedBaudRatesFn)(ClSerialRef serialRef, ClUInt32* baudRates);
}
