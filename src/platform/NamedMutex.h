// A mutex known to the system by name, shared by every copy of the tool that names it.
#pragma once

#include <memory>
#include <string>

class NamedMutex {
public:
    explicit NamedMutex(const std::string& name);
    ~NamedMutex();
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    void Lock();
    void Unlock();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Holds a NamedMutex for a scope.
class NamedMutexGuard {
public:
    explicit NamedMutexGuard(NamedMutex& mutex) : mutex_(mutex) { mutex_.Lock(); }
    ~NamedMutexGuard() { mutex_.Unlock(); }
    NamedMutexGuard(const NamedMutexGuard&) = delete;
    NamedMutexGuard& operator=(const NamedMutexGuard&) = delete;

private:
    NamedMutex& mutex_;
};
