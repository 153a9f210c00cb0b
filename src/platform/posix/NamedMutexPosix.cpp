// The driver guard on POSIX systems.
#include "platform/NamedMutex.h"

#include <mutex>

// On Windows the guard is a system-wide mutex because copies of the tool could share a driver. Here a
// port is opened exclusively (TIOCEXCL plus flock), so no two processes ever touch the same port and a
// process-local mutex gives the same guarantee.
struct NamedMutex::Impl {
    std::mutex mutex;
};

NamedMutex::NamedMutex(const std::string& /*name*/) : impl_(std::make_unique<Impl>()) {}

NamedMutex::~NamedMutex() = default;

void NamedMutex::Lock() { impl_->mutex.lock(); }

void NamedMutex::Unlock() { impl_->mutex.unlock(); }
