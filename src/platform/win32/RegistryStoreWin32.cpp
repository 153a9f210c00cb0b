// The settings store on Windows: the HKEY_LOCAL_MACHINE key of the registry itself.
#include "platform/RegistryStore.h"

#include <string>

#include <windows.h>

// Full access to HKEY_LOCAL_MACHINE needs an administrator. For any other user the same key under
// HKEY_CURRENT_USER stands in, so an operator's settings and the shutdown status still persist instead of every
// start looking like the first after a crash.

struct RegistryStore::Impl {
    HKEY key = nullptr;
};

RegistryStore::RegistryStore() = default;

RegistryStore::~RegistryStore() { Close(); }

int RegistryStore::Open(std::string_view keyPath)
{
    Close();
    const std::string path(keyPath);
    HKEY key = nullptr;
    LONG rc = ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &key);
    if (rc != ERROR_SUCCESS) {
        rc = ::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &key);  // created by Create below
    }
    if (rc != ERROR_SUCCESS) {
        return 0;
    }
    impl_ = std::make_unique<Impl>();
    impl_->key = key;
    return 1;
}

int RegistryStore::Create(std::string_view keyPath)
{
    const std::string path(keyPath);
    HKEY key = nullptr;
    LONG rc = ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                nullptr, &key, nullptr);
    if (rc == ERROR_ACCESS_DENIED) {
        rc = ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                               nullptr, &key, nullptr);
    }
    if (rc != ERROR_SUCCESS) {
        return 0;
    }
    ::RegCloseKey(key);
    return 1;
}

RegistryQueryResult RegistryStore::Query(std::string_view name, std::uint32_t& type, void* buffer, std::uint32_t& size)
{
    if (!impl_) {
        return RegistryQueryResult::kFailed;
    }
    const std::string valueName(name);
    DWORD valueType = REG_NONE;
    DWORD length = buffer != nullptr ? size : 0;
    const LONG rc =
        ::RegQueryValueExA(impl_->key, valueName.c_str(), nullptr, &valueType, static_cast<BYTE*>(buffer), &length);
    type = valueType;
    size = length;
    if (rc == ERROR_SUCCESS) {
        return RegistryQueryResult::kOk;
    }
    if (rc == ERROR_MORE_DATA) {
        return RegistryQueryResult::kMoreData;
    }
    return rc == ERROR_FILE_NOT_FOUND ? RegistryQueryResult::kNotFound : RegistryQueryResult::kFailed;
}

int RegistryStore::SetDword(std::string_view name, std::uint32_t value)
{
    if (!impl_) {
        return 0;
    }
    const std::string valueName(name);
    const DWORD data = value;
    return ::RegSetValueExA(impl_->key, valueName.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                            sizeof data) == ERROR_SUCCESS
               ? 1
               : 0;
}

int RegistryStore::SetString(std::string_view name, std::string_view text)
{
    if (!impl_) {
        return 0;
    }
    const std::string valueName(name);
    const std::string data(text);  // c_str() supplies the terminating zero counted in the size
    return ::RegSetValueExA(impl_->key, valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                            static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS
               ? 1
               : 0;
}

void RegistryStore::Close()
{
    if (impl_) {
        ::RegCloseKey(impl_->key);
        impl_.reset();
    }
}

bool RegistryStore::IsOpen() const { return impl_ != nullptr; }
