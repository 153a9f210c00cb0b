// What the three Camera Link library kinds share: the entry list, the loaded library, the open serial
// reference, and the calls that bind, read and write the same way for every kind.
#pragma once

#include "link/ClSerialApi.h"
#include "link/ClSerialKind.h"
#include "platform/DynamicLibrary.h"

#include <algorithm>
#include <string>
#include <vector>

class ClSerialLibrary : public ClSerialKind {
public:
    ~ClSerialLibrary() override = default;
    ClSerialLibrary(const ClSerialLibrary&) = delete;
    ClSerialLibrary& operator=(const ClSerialLibrary&) = delete;

    std::string EntryName(int index) const override;
    int EntryCount() const { return static_cast<int>(entries_.size()); }

    // For tests and diagnostics: whether a library is loaded and whether an entry is open.
    bool IsLibraryLoaded() const { return library_.IsLoaded(); }
    bool IsEntryOpen() const { return entryOpen_; }
    // The folder libraries are taken from now: the one given at construction, else the system folder.
    std::string Folder() const;

protected:
    // An empty folder means the system folder, looked up at each scan and open (so a changed
    // CLSERIALPATH takes effect without a restart).
    explicit ClSerialLibrary(std::string folder);

    // A library reporting an absurd number of manufacturers or ports must not make the list unbounded.
    static constexpr ClUInt32 kMaxEntries = 256;

    // Collects function addresses by name; a single missing one makes the whole binding fail, so a
    // library that lacks any listed function is never used, even for functions the tool never calls.
    class Binder {
    public:
        explicit Binder(const DynamicLibrary& library) : library_(library) {}
        template <typename Fn>
        void operator()(const char* name, Fn& function)
        {
            DynamicLibrary::Function address = library_.Symbol(name);
            function = reinterpret_cast<Fn>(address);
            complete_ = complete_ && address != nullptr;
        }
        bool Complete() const { return complete_; }

    private:
        const DynamicLibrary& library_;
        bool complete_ = true;
    };

    // Reads through the bound clSerialRead of either calling convention: the obtained count on success,
    // else 0 (never more than asked for, whatever the library reports). 0 without an open entry.
    template <typename ReadFn>
    int ReadThrough(ReadFn read, std::uint8_t* buffer, int count, int timeoutMs) const
    {
        if (!entryOpen_ || read == nullptr || buffer == nullptr || count <= 0) {
            return 0;
        }
        ClSerialRef ref = serialRef_;
        ClUInt32 size = static_cast<ClUInt32>(count);
        if (read(ref, reinterpret_cast<char*>(buffer), &size, static_cast<ClUInt32>(std::max(timeoutMs, 0))) !=
            CL_ERR_NO_ERR) {
            return 0;
        }
        return static_cast<int>(std::min<ClUInt32>(size, static_cast<ClUInt32>(count)));
    }

    // Writes through the bound clSerialWrite: 1 when the library took the bytes; 0 without an open entry.
    template <typename WriteFn>
    int WriteThrough(WriteFn write, const std::uint8_t* buffer, int count, int timeoutMs) const
    {
        if (!entryOpen_ || write == nullptr || buffer == nullptr || count <= 0) {
            return 0;
        }
        ClSerialRef ref = serialRef_;
        // The interface takes a non-const buffer; the library gets a copy it may scribble on.
        std::vector<char> bytes(buffer, buffer + count);
        ClUInt32 size = static_cast<ClUInt32>(count);
        return write(ref, bytes.data(), &size, static_cast<ClUInt32>(std::max(timeoutMs, 0))) == CL_ERR_NO_ERR ? 1 : 0;
    }

    // Whether the open entry lists the rate among its supported ones (clGetSupportedBaudRates).
    template <typename SupportedFn>
    bool SupportsThrough(SupportedFn getSupported, int rate) const
    {
        const ClUInt32 code = ClBaudRateCode(rate);
        ClUInt32 supported = 0;
        return entryOpen_ && getSupported != nullptr && code != 0 &&
               getSupported(serialRef_, &supported) == CL_ERR_NO_ERR && (supported & code) != 0;
    }

    // Sets a supported rate. A library that lists the rate but then fails to set it has refused it just
    // the same, so only a successful clSetBaudRate counts.
    template <typename SupportedFn, typename SetFn>
    bool SetRateThrough(SupportedFn getSupported, SetFn setRate, int rate) const
    {
        return SupportsThrough(getSupported, rate) && setRate != nullptr &&
               setRate(serialRef_, ClBaudRateCode(rate)) == CL_ERR_NO_ERR;
    }

    // Closes the open entry's reference, forgets it and unloads the library.
    template <typename CloseFn>
    void CloseThrough(CloseFn close)
    {
        if (entryOpen_ && close != nullptr) {
            close(serialRef_);
        }
        entryOpen_ = false;
        serialRef_ = nullptr;
        openEntryName_.clear();
        library_.Unload();
    }

    // The library file's full path in the current folder.
    std::string LibraryPath(const std::string& fileName) const;
    // Bounds-checked lookup of the entry an open uses.
    bool ValidIndex(int index) const { return index >= 0 && index < EntryCount(); }

    std::string folder_;
    std::vector<std::string> entries_;
    // The library of the open entry (also held after a failed open, until the next close).
    DynamicLibrary library_;
    // The library's reference is opaque (it may well be 0), so whether an entry is open is kept apart.
    ClSerialRef serialRef_ = nullptr;
    bool entryOpen_ = false;
    // The list entry that was opened: the list may be rescanned while it is open.
    std::string openEntryName_;
};
