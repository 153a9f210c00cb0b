// A file dialog host for tests: answers from a queue and keeps every request it is shown.
#pragma once

#include "framework/FileDialogHost.h"

#include <deque>
#include <set>
#include <vector>

class RecordingFileDialogHost : public FileDialogHost {
public:
    // Installs itself for its lifetime and puts the previous host back afterwards.
    RecordingFileDialogHost();
    ~RecordingFileDialogHost() override;
    RecordingFileDialogHost(const RecordingFileDialogHost&) = delete;
    RecordingFileDialogHost& operator=(const RecordingFileDialogHost&) = delete;

    FileDialogResult Show(const FileDialogRequest& request) override;
    bool FileExists(const std::string& path) override;

    // Answers for the next dialogs, in order; with an empty queue a dialog is cancelled.
    void QueuePath(const std::string& path) { answers_.push_back({FileDialogStatus::Ok, path, 0}); }
    void QueueCancel() { answers_.push_back({FileDialogStatus::Cancel, {}, 0}); }
    void QueueError(int errorCode) { answers_.push_back({FileDialogStatus::Error, {}, errorCode}); }

    // Files that count as existing; when `useDisk` is set, the real file system is asked instead.
    void AddExistingFile(const std::string& path) { existing_.insert(path); }
    void UseDisk(bool useDisk) { useDisk_ = useDisk; }

    const std::vector<FileDialogRequest>& Shown() const { return shown_; }

private:
    FileDialogHost* previous_;
    std::deque<FileDialogResult> answers_;
    std::set<std::string> existing_;
    bool useDisk_ = false;
    std::vector<FileDialogRequest> shown_;
};
