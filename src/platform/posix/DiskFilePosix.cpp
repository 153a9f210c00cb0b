// Reading and replacing whole files on POSIX systems.
#include "platform/DiskFile.h"

#include <atomic>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The replaced file's owner and permission bits go to its successor. The owner first: a change of owner
// clears the set-id bits. Only the superuser (or the owner, for the group) may give the file away, so a
// refused owner change is no failure; a refused mode would leave the file more open than before.
bool TakeOverPermissions(int fd, const std::string& path)
{
    struct stat old {};
    if (::stat(path.c_str(), &old) != 0) return true;  // a new file keeps the process's default
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        // Not ours to give away; the mode below still holds.
    }
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

// Without this the rename may still be only in memory when the power goes, and the folder would then
// name the old file, or on some file systems an empty one. A file system that cannot sync a folder says
// so with EINVAL; its renames are as durable as it makes them.
bool SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return synced;
}

}  // namespace

DiskFile::ReplaceResult DiskFile::Replace(const std::string& path, std::string_view bytes)
{
    static std::atomic<unsigned> counter{0};
    const std::string folder = FolderOf(path);
    std::string temporary;
    int fd = -1;
    if (StepAllowed(Step::CreateTemporary)) {
        // A short name of our own, whatever the target's length: a long target name must not make the
        // temporary name too long for the folder.
        for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
            temporary = folder + "/.rv-save-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
            fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd < 0 && errno != EEXIST) break;
        }
    }
    if (fd < 0) return ReplaceResult::FolderRefused;

    bool ok = StepAllowed(Step::Write) && WriteAll(fd, bytes) && TakeOverPermissions(fd, path);
    ok = ok && StepAllowed(Step::SyncFile) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && StepAllowed(Step::Rename) && ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return ReplaceResult::Failed;
    }
    if (!StepAllowed(Step::SyncFolder) || !SyncFolder(folder)) return ReplaceResult::Failed;
    return ReplaceResult::Replaced;
}

bool DiskFile::Read(const std::string& path, std::string& bytes)
{
    bytes.clear();
    // Non-blocking, so that a pipe chosen by mistake cannot hang the open; it is refused below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    char buffer[65536];
    while (ok) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    if (!ok) bytes.clear();
    return ok;
}
