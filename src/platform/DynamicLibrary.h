// A shared library loaded at run time by its full path, and the addresses of its exported functions.
#pragma once

#include <string>

// The file name ending of shared libraries here: frame-grabber makers ship "clserial.dll" on Windows and
// "clserial.so" on Linux.
#if defined(_WIN32)
inline constexpr const char* kSharedLibrarySuffix = ".dll";
#else
inline constexpr const char* kSharedLibrarySuffix = ".so";
#endif

class DynamicLibrary {
public:
    // The generic function address; the caller casts it to the function's real type.
    using Function = void (*)();

    DynamicLibrary() = default;
    ~DynamicLibrary();
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // Loads the library file at fullPath (never searched for by bare name, so a file planted in the
    // working folder cannot stand in for it). Unloads any library held before. 1 or 0; on failure
    // LastError() says why.
    int Load(const std::string& fullPath);
    bool IsLoaded() const { return handle_ != nullptr; }
    // The exported function of that name, or nullptr when the library lacks it or none is loaded.
    Function Symbol(const char* name) const;
    void Unload();
    // The loader's explanation of the last failed Load, for logs and tests.
    const std::string& LastError() const { return lastError_; }

private:
    void* handle_ = nullptr;
    std::string lastError_;
};
