// Recording file dialog host for tests.
#include "support/RecordingFileDialogHost.h"

#include "support/TestHosts.h"

#include <cstdio>

RecordingFileDialogHost::RecordingFileDialogHost() : previous_(SetFileDialogHost(this)) {}

RecordingFileDialogHost::~RecordingFileDialogHost() { SetFileDialogHost(previous_); }

FileDialogResult RecordingFileDialogHost::Show(const FileDialogRequest& request)
{
    shown_.push_back(request);
    if (answers_.empty()) return {FileDialogStatus::Cancel, {}, 0};
    FileDialogResult answer = answers_.front();
    answers_.pop_front();
    return answer;
}

bool RecordingFileDialogHost::FileExists(const std::string& path)
{
    if (!useDisk_) return existing_.count(path) != 0;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        std::fclose(file);
        return true;
    }
    return false;
}
