// Saving the control table to a camera setting file and loading one into the camera, with their dialogs.
#pragma once

#include "files/SettingFileFormat.h"
#include "link/TimeoutStreak.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

class Command;
class ControlMode;
class ControlTable;
class ProgressSink;
class RegistrySettings;
struct CameraModelInfo;

// What the load needs from the pages, supplied by the main window.
struct SettingFileHooks {
    std::function<int()> modelCheck;  // asks the camera for its model and records it; 1 when it answered
    std::function<void()> showValues;  // the table's values on the pages
    std::function<void()> setUpModel;  // model layout, control states and line rate after a load
};

// What a load did not apply, and why; one message at the end says it.
struct SettingFileLoadReport {
    int lineCount = 0;
    int applied = 0;
    std::vector<std::string> refused;  // the camera answered with an error (or the model id was not taken)
    std::vector<std::string> unknown;
    std::vector<std::string> notOnModel;
    std::vector<std::string> factoryInUserMode;
    std::vector<std::string> notASetting;
    std::vector<std::string> notANumber;  // "LR=abc": nothing was sent for these
    bool cameraGone = false;  // two time-outs in a row
    int stoppedAtLine = 0;  // cameraGone: the one-based line whose request timed out the second time
    int timedOut = 0;  // single time-outs the load went past

    bool AllApplied() const;
    std::string SummaryText() const;  // empty when everything was applied
};

class SettingFile {
public:
    static constexpr int kValueTimeoutMs = 5000;
    static constexpr int kModelIdTimeoutMs = 10000;

    SettingFile(Command& command, ControlTable& table, ControlMode& mode, RegistrySettings& settings,
                CameraModelInfo& model, SettingFileHooks hooks);

    void SetProgress(ProgressSink* progress) { progress_ = progress; }
    void SetHooks(SettingFileHooks hooks) { hooks_ = std::move(hooks); }

    // The save dialog (folder of settings item 8, "cam"), the file, the folder remembered.
    void Save(SettingFileVariant variant);
    // The open dialog, the load, the folder remembered.
    void Load();

    // 1 written; 0 after its message when the file could not be created or written.
    int WriteSettingFile(const std::string& path, SettingFileVariant variant);
    // 1 read (whatever the camera took; the summary says what not); 0 after its message when the file
    // could not be opened.
    int ReadSettingFile(const std::string& path);

    // The last load's report, for the main window's tests and for the benchmark.
    const SettingFileLoadReport& LastReport() const { return report_; }

private:
    void ApplyLine(const std::string& line, int lineNumber, bool firstPass);

    Command& command_;
    ControlTable& table_;
    ControlMode& mode_;
    RegistrySettings& settings_;
    CameraModelInfo& model_;
    SettingFileHooks hooks_;
    ProgressSink* progress_ = nullptr;
    SettingFileLoadReport report_;
    TimeoutStreak streak_{command_};
    std::vector<std::pair<std::string, int>> retryLines_;  // refused in the first pass: line, line number
};
