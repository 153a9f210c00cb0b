// The settings store on POSIX: the HKEY_LOCAL_MACHINE key as a REGEDIT4 file in the user's config folder.
#include "platform/RegistryStore.h"

#include "platform/posix/RegEditDocument.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kHive = "HKEY_LOCAL_MACHINE\\";
constexpr off_t kMaxFileSize = 16 * 1024 * 1024;  // anything larger is not ours; treat it as unreadable

enum class FileState { kRead, kMissing, kUnreadable };

// ${XDG_CONFIG_HOME:-$HOME/.config}/orvane/hklm.reg; a relative XDG_CONFIG_HOME is ignored, as the XDG rules say.
std::string StoreFolder()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (xdg != nullptr && xdg[0] == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (home != nullptr && home[0] == '/') {
            base = std::string(home) + "/.config";
        } else {
            struct passwd entry {};
            struct passwd* found = nullptr;
            char buffer[4096];
            if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr &&
                found->pw_dir != nullptr && found->pw_dir[0] == '/') {
                base = std::string(found->pw_dir) + "/.config";
            }
        }
    }
    if (base.empty()) {
        return {};
    }
    return base + "/orvane";
}

std::string StoreFile(const std::string& folder) { return folder + "/hklm.reg"; }

FileState ReadFile(const std::string& path, std::string& text)
{
    text.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT ? FileState::kMissing : FileState::kUnreadable;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxFileSize) {
        ::close(fd);
        return FileState::kUnreadable;
    }
    char chunk[8192];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            ::close(fd);
            return FileState::kUnreadable;
        }
        if (n == 0) {
            break;
        }
        text.append(chunk, static_cast<std::size_t>(n));
        if (text.size() > static_cast<std::size_t>(kMaxFileSize)) {
            ::close(fd);
            return FileState::kUnreadable;
        }
    }
    ::close(fd);
    return FileState::kRead;
}

bool MakeFolders(const std::string& folder)
{
    std::size_t pos = 1;
    for (;;) {
        pos = folder.find('/', pos);
        const std::string part = folder.substr(0, pos);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
        if (pos == std::string::npos) {
            break;
        }
        ++pos;
    }
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool WriteAll(int fd, const std::string& data)
{
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Replaces the file with `text`: a temporary file in the same folder, flushed to disk, renamed over the old
// one, so a reader or a crash sees either the old or the new file, never a part.
bool ReplaceFile(const std::string& folder, const std::string& path, const std::string& text)
{
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0600;
    const bool written = ::fchmod(fd, mode) == 0 && WriteAll(fd, text) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);  // makes the rename itself durable
        ::close(dirFd);
    }
    return true;
}

// Changes the file under an exclusive lock: re-read, apply `change`, write back if it changed anything. The lock
// lives in a file beside the store because the store itself is replaced on every write. Several copies of the
// tool (and several threads, each with its own descriptor) serialise here; readers need no lock since the file
// is only ever replaced whole.
bool UpdateStore(const std::function<bool(RegEditDocument&)>& change, RegEditDocument* result)
{
    const std::string folder = StoreFolder();
    if (folder.empty() || !MakeFolders(folder)) {
        return false;
    }
    const std::string path = StoreFile(folder);
    const std::string lockPath = path + ".lock";
    const int lockFd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd < 0) {
        return false;
    }
    while (::flock(lockFd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            ::close(lockFd);
            return false;
        }
    }
    bool ok = false;
    std::string text;
    const FileState state = ReadFile(path, text);
    if (state != FileState::kUnreadable) {  // a file we cannot read is never overwritten
        RegEditDocument doc = RegEditDocument::Parse(text);
        ok = !change(doc) || ReplaceFile(folder, path, doc.Serialize());
        if (ok && result != nullptr) {
            *result = std::move(doc);
        }
    }
    ::flock(lockFd, LOCK_UN);
    ::close(lockFd);
    return ok;
}

// Writes one value under the lock and keeps the caller's snapshot current; 1 or 0.
int StoreValue(const std::string& keyName, std::string_view name, const RegEditValue& value, RegEditDocument& snapshot)
{
    return UpdateStore(
               [&](RegEditDocument& doc) {
                   doc.SetValue(keyName, name, value);
                   return true;
               },
               &snapshot)
               ? 1
               : 0;
}

}  // namespace

struct RegistryStore::Impl {
    std::string keyName;
    RegEditDocument snapshot;  // the file as read at Open, kept current by this key's own writes
};

RegistryStore::RegistryStore() = default;

RegistryStore::~RegistryStore() = default;

int RegistryStore::Open(std::string_view keyPath)
{
    Close();
    const std::string folder = StoreFolder();
    if (folder.empty()) {
        return 0;
    }
    std::string text;
    if (ReadFile(StoreFile(folder), text) != FileState::kRead) {
        return 0;
    }
    auto impl = std::make_unique<Impl>();
    impl->keyName = kHive + std::string(keyPath);
    impl->snapshot = RegEditDocument::Parse(text);
    if (!impl->snapshot.HasKey(impl->keyName)) {
        return 0;
    }
    impl_ = std::move(impl);
    return 1;
}

int RegistryStore::Create(std::string_view keyPath)
{
    const std::string keyName = kHive + std::string(keyPath);
    return UpdateStore(
               [&](RegEditDocument& doc) {
                   if (doc.HasKey(keyName)) {
                       return false;
                   }
                   doc.AddKey(keyName);
                   return true;
               },
               nullptr)
               ? 1
               : 0;
}

RegistryQueryResult RegistryStore::Query(std::string_view name, std::uint32_t& type, void* buffer, std::uint32_t& size)
{
    if (!impl_) {
        return RegistryQueryResult::kFailed;
    }
    RegEditValue value;
    if (!impl_->snapshot.FindValue(impl_->keyName, name, value)) {
        return RegistryQueryResult::kNotFound;
    }
    type = value.type;
    const std::uint32_t capacity = size;
    size = static_cast<std::uint32_t>(value.data.size());
    if (buffer == nullptr) {
        return RegistryQueryResult::kOk;
    }
    if (value.data.size() > capacity) {
        return RegistryQueryResult::kMoreData;
    }
    if (!value.data.empty()) {
        std::memcpy(buffer, value.data.data(), value.data.size());
    }
    return RegistryQueryResult::kOk;
}

int RegistryStore::SetDword(std::string_view name, std::uint32_t value)
{
    if (!impl_) {
        return 0;
    }
    RegEditValue v;
    v.type = kRegDword;
    v.data = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
              static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    return StoreValue(impl_->keyName, name, v, impl_->snapshot);
}

int RegistryStore::SetString(std::string_view name, std::string_view text)
{
    if (!impl_) {
        return 0;
    }
    RegEditValue v;
    v.type = kRegSz;
    v.data.assign(text.begin(), text.end());
    v.data.push_back(0);
    return StoreValue(impl_->keyName, name, v, impl_->snapshot);
}

void RegistryStore::Close() { impl_.reset(); }

bool RegistryStore::IsOpen() const { return impl_ != nullptr; }
