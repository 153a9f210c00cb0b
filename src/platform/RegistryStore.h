// One key of the settings store under HKEY_LOCAL_MACHINE: open or create, query, set and close.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

// Value types, numbered as the registry numbers them so stored values keep their meaning on every OS.
enum RegistryValueType : std::uint32_t {
    kRegNone = 0,
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegMultiSz = 7,
    kRegQword = 11,
};

// Outcome of a query, sorted by cause: callers treat all but kOk as "value missing".
enum class RegistryQueryResult {
    kOk,  // type, bytes and size given
    kNotFound,  // no such value
    kMoreData,  // the value is longer than the caller's buffer; size gives the length needed
    kFailed,  // key not open or the store could not be read
};

// One open key. Every access opens, does one query or set, and closes, so that several copies of the tool
// see each other's writes; the destructor closes a key left open.
class RegistryStore {
public:
    RegistryStore();
    ~RegistryStore();
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    // Opens `keyPath` (below HKEY_LOCAL_MACHINE) with full access. 1 if the key exists and is readable. On Windows a
    // user without the rights for that gets the same key below HKEY_CURRENT_USER instead.
    int Open(std::string_view keyPath);
    // Creates `keyPath` (non-volatile, default security) and closes it at once. 1 if it exists afterwards.
    static int Create(std::string_view keyPath);

    // Reads value `name` of the open key. `size` is the buffer size on entry and the value's length in bytes on
    // return (also for kMoreData). Text values include their terminating zero. A null buffer only asks the size.
    RegistryQueryResult Query(std::string_view name, std::uint32_t& type, void* buffer, std::uint32_t& size);
    // Writes a 32-bit REG_DWORD. 1 on success.
    int SetDword(std::string_view name, std::uint32_t value);
    // Writes a REG_SZ; the stored size counts the terminating zero. 1 on success.
    int SetString(std::string_view name, std::string_view text);

    void Close();
    bool IsOpen() const;

private:
    struct Impl;  // per OS
    std::unique_ptr<Impl> impl_;
};
