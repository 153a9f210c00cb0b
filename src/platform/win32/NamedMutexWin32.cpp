// The driver guard on Windows: a system-wide named mutex.
#include "platform/NamedMutex.h"

#include <windows.h>

struct NamedMutex::Impl {
    HANDLE handle = nullptr;
};

NamedMutex::NamedMutex(const std::string& name) : impl_(std::make_unique<Impl>())
{
    // Not initially owned. Every copy of the tool opens the same mutex, so their driver calls never
    // interleave.
    impl_->handle = ::CreateMutexA(nullptr, FALSE, name.c_str());
}

NamedMutex::~NamedMutex()
{
    if (impl_->handle) ::CloseHandle(impl_->handle);
}

void NamedMutex::Lock()
{
    if (impl_->handle) ::WaitForSingleObject(impl_->handle, INFINITE);
}

void NamedMutex::Unlock()
{
    if (impl_->handle) ::ReleaseMutex(impl_->handle);
}
