// Run-time library loading through the dynamic linker.
#include "platform/DynamicLibrary.h"

#include <dlfcn.h>

DynamicLibrary::~DynamicLibrary() { Unload(); }

int DynamicLibrary::Load(const std::string& fullPath)
{
    Unload();
    lastError_.clear();
    // A name without a slash would make dlopen search the library path; only full paths are taken.
    if (fullPath.find('/') == std::string::npos) {
        lastError_ = fullPath + ": not a full path";
        return 0;
    }
    // RTLD_LOCAL keeps the library's symbols to itself: several makers' libraries export the same
    // clSerial* names and must not resolve into each other.
    handle_ = dlopen(fullPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* reason = dlerror();
        lastError_ = reason != nullptr ? reason : fullPath + ": cannot be loaded";
        return 0;
    }
    return 1;
}

DynamicLibrary::Function DynamicLibrary::Symbol(const char* name) const
{
    if (handle_ == nullptr || name == nullptr) {
        return nullptr;
    }
    dlerror();
    void* address = dlsym(handle_, name);
    if (dlerror() != nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Function>(address);
}

void DynamicLibrary::Unload()
{
    if (handle_ != nullptr) {
        dlclose(handle_);
        handle_ = nullptr;
    }
}
