// Saving the control table to a camera setting file and loading one into the camera. What the operator
// sees of it (dialogs, boxes) is SettingFileActions'.
#pragma once

#include "framework/OperatorHosts.h"

#include "files/SettingFileFormat.h"
#include "files/TextFile.h"
#include "link/RequestStreak.h"

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

class Command;
class ControlMode;
class ControlTable;
class ProgressSink;
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
    std::string firstRefusal;  // the camera's answer to the first line it refused for good
    std::vector<std::pair<std::string, std::string>> refusedAnswers;  // each refused mnemonic, the camera's words
    bool cameraGone = false;  // two unanswered requests in a row
    int stoppedAtLine = 0;  // cameraGone: the one-based line whose request went unanswered the second time
    int timedOut = 0;  // lines without an answer (timed out, or not sent) that the load went past

    bool AllApplied() const;
    // Empty when everything was applied. Each group names its first few lines, never the whole file: a
    // file of the wrong kind must not give a box taller than the screen.
    std::string SummaryText() const;
};

// How a load ended: read (whatever the camera took; the report says what not), or the file could not be
// opened and nothing was sent.
enum class SettingFileRead { Read, CannotOpen };

class SettingFile {
public:
    static constexpr int kValueTimeoutMs = 5000;
    static constexpr int kModelIdTimeoutMs = 10000;

    SettingFile(Command& command, ControlTable& table, ControlMode& mode, CameraModelInfo& model,
                SettingFileHooks hooks, OperatorHosts hosts);

    void SetProgress(ProgressSink* progress) { progress_ = progress; }
    void SetHooks(SettingFileHooks hooks) { hooks_ = std::move(hooks); }
    // Only the lines of these mnemonics are sent (empty: every line); the others are passed over without a
    // word, as if the file did not hold them.
    void SetOnly(std::set<std::string> mnemonics) { only_ = std::move(mnemonics); }
    // Each accepted value is read back, so the table holds what the camera took (a value it adjusted too).
    void SetReadBack(bool readBack) { readBack_ = readBack; }

    // Loads only the file's lines of these mnemonics, each accepted value read back. The report says what
    // was not applied, as after a load.
    SettingFileRead ApplyOnly(const std::string& path, std::set<std::string> mnemonics);

    // The table (and, for all data in factory mode, the model id first) into the file at `path`.
    TextFile::SaveResult WriteSettingFile(const std::string& path, SettingFileVariant variant);
    // The file at `path` into the camera, line by line; LastReport() says what was not applied.
    SettingFileRead ReadSettingFile(const std::string& path);

    // The last load's report, for the main window's tests and for the benchmark.
    const SettingFileLoadReport& LastReport() const { return report_; }

private:
    void ApplyLine(const std::string& line, int lineNumber, bool firstPass);
    void SendModelId(const SettingFileFormat::Line& parsed);
    void SendSetting(const SettingFileFormat::Line& parsed, const std::string& line, int lineNumber, bool firstPass);
    void NoteRefusal(const std::string& mnemonic, const RequestOutcome& outcome);

    Command& command_;
    ControlTable& table_;
    ControlMode& mode_;
    CameraModelInfo& model_;
    SettingFileHooks hooks_;
    ProgressSink* progress_ = nullptr;
    SettingFileLoadReport report_;
    RequestStreak streak_;
    std::vector<std::pair<std::string, int>> retryLines_;
    std::set<std::string> only_;
    bool readBack_ = false;  // refused in the first pass: line, line number
    OperatorHosts hosts_;
};
