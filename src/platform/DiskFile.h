// Whole files on disk by their UTF-8 path: read at once, and replaced so that a crash or a power cut
// leaves either the old file or the new one, never an empty or half-written file.
#pragma once

#include <functional>
#include <string>
#include <string_view>

class DiskFile {
public:
    enum class ReplaceResult {
        Replaced,
        FolderRefused,  // the folder would not take the temporary file (missing, read-only, no permission)
        Failed,  // a later step failed; the temporary file is gone
    };

    // The steps of Replace, in the order they run. Windows has no folder sync: its rename writes through.
    enum class Step { CreateTemporary, Write, SyncFile, Rename, SyncFolder };
    // Sees each step before it runs; false fails the step as if the system had refused it. For tests
    // only; gives the previous hook.
    using StepHook = std::function<bool(Step)>;
    static StepHook SetStepHook(StepHook hook);

    // Writes the bytes to a new temporary file in the target's folder, gives it the permissions of the
    // file it replaces, syncs it to the disk, renames it over `path` and syncs the folder, so that the
    // rename itself is on the disk too. Before the rename a failure leaves an existing file as it was;
    // only a failed folder sync comes after it (the new file is then in place, its survival unsure).
    // POSIX: the replaced file's mode (and owner, where the process may set it). Windows: MoveFileEx
    // with write-through, and the replaced file's access list where the system allows it.
    static ReplaceResult Replace(const std::string& path, std::string_view bytes);

    // The bytes of an ordinary file; false when it is missing, cannot be read, or is a folder, device
    // or pipe. Windows opens it by its UTF-16 name.
    static bool Read(const std::string& path, std::string& bytes);

private:
    // Runs the hook, if any, for one step of the back end.
    static bool StepAllowed(Step step);
};
