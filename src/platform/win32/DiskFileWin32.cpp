// Reading and replacing whole files on Windows, by their UTF-16 names.
#include "platform/DiskFile.h"

#include "platform/win32/Utf16.h"

#include <windows.h>

#include <aclapi.h>

#include <atomic>

namespace {

std::string FolderOf(const std::string& path)
{
    const std::size_t separator = path.find_last_of("/\\");
    if (separator == std::string::npos) return ".";
    // "C:\x" keeps its root: "C:" alone would be the drive's current folder.
    if (separator == 0 || (separator == 2 && path[1] == ':')) return path.substr(0, separator + 1);
    return path.substr(0, separator);
}

bool WriteAll(HANDLE file, std::string_view bytes)
{
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > 0x10000000u ? 0x10000000u : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// The replaced file's own access list goes to its successor. The temporary file already has what the
// folder hands down, which is all most files have; where the list cannot be read or set, that stays.
void TakeOverAccessList(HANDLE file, const std::wstring& target)
{
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(target.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                              nullptr, &descriptor) != ERROR_SUCCESS) {
        return;
    }
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    GetSecurityDescriptorControl(descriptor, &control, &revision);
    const SECURITY_INFORMATION inheritance =
        (control & SE_DACL_PROTECTED) ? PROTECTED_DACL_SECURITY_INFORMATION : UNPROTECTED_DACL_SECURITY_INFORMATION;
    SetSecurityInfo(file, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION | inheritance, nullptr, nullptr, dacl, nullptr);
    LocalFree(descriptor);
}

}  // namespace

DiskFile::ReplaceResult DiskFile::Replace(const std::string& path, std::string_view bytes)
{
    static std::atomic<unsigned> counter{0};
    const std::wstring target = WidenUtf8(path);
    std::string folder = FolderOf(path);
    if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
    std::wstring temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    if (StepAllowed(Step::CreateTemporary)) {
        for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
            temporary = WidenUtf8(folder + ".rv-save-" + std::to_string(GetCurrentProcessId()) + "-" +
                                  std::to_string(counter++) + ".tmp");
            file = CreateFileW(temporary.c_str(), GENERIC_WRITE | WRITE_DAC, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
        }
    }
    if (file == INVALID_HANDLE_VALUE) return ReplaceResult::FolderRefused;

    bool ok = StepAllowed(Step::Write) && WriteAll(file, bytes);
    if (ok && GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) TakeOverAccessList(file, target);
    ok = ok && StepAllowed(Step::SyncFile) && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    // Write-through: the call returns once the new name is on the disk, which POSIX needs a folder sync for.
    ok = ok && StepAllowed(Step::Rename) &&
         MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) {
        DeleteFileW(temporary.c_str());
        return ReplaceResult::Failed;
    }
    return ReplaceResult::Replaced;
}

bool DiskFile::Read(const std::string& path, std::string& bytes)
{
    bytes.clear();
    // Others may go on reading and writing it; what is read is what the file holds at that moment.
    HANDLE file = CreateFileW(WidenUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = GetFileType(file) == FILE_TYPE_DISK;
    char buffer[65536];
    while (ok) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0) break;
        bytes.append(buffer, got);
    }
    CloseHandle(file);
    if (!ok) bytes.clear();
    return ok;
}
