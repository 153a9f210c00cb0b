// A setting file beside the camera: every row a load would send, with the camera's value and the file's,
// and the lines a load would pass over with why. Nothing is sent; the camera is only asked.
#pragma once

#include "files/SettingFileFormat.h"
#include "link/BulkTally.h"
#include "tables/RequestOutcome.h"

#include <functional>
#include <string>
#include <vector>

class Command;
class ControlTable;
struct CameraModelInfo;

class SettingFileComparison {
public:
    static constexpr int kQueryTimeoutMs = 5000;

    struct Row {
        int lineNumber = 0;  // one-based, in the file
        std::string line;  // as written
        std::string mnemonic;
        int commandIndex = -1;
        int controlId = -1;  // -1 for the model id row
        bool modelId = false;  // MD00=<model name>: compared with the model the camera reported
        int fileValue = 0;
        std::string fileText;  // the model id row: the model name
        RequestOutcome camera;  // the query of the row's current value (the model id row asks nothing)
        std::string cameraText;  // the model id row: the camera's model name

        // Whether the camera's value is known: answered, or the model id.
        bool Known() const { return modelId || camera.Answered(); }
        int CameraValue() const { return camera.value.intValue; }
        // A row whose camera value is not known counts as different: nothing says it is equal.
        bool Differs() const { return modelId ? cameraText != fileText : !Known() || CameraValue() != fileValue; }
    };
    struct Skipped {
        int lineNumber = 0;
        std::string line;
        std::string name;  // the mnemonic as written, or the whole line where it has none
        std::string reason;  // the load summary's words: "Unknown mnemonic", "Not on this model", ...
    };

    std::vector<Row> rows;  // in the file's order
    std::vector<Skipped> skipped;
    BulkTally queries;  // the camera's answers to the rows' queries

    bool CameraGone() const { return queries.CameraGone(); }
    int DifferenceCount() const;

    // Takes the file's lines with exactly the load's rules and asks the camera for each row's value, with
    // the read's stop rule: after the second unanswered query in a row the remaining rows are not asked
    // (their camera value stays unknown). `afterRow` runs after each row, with the count done and the total.
    static SettingFileComparison Compare(const std::string& content, Command& command, const ControlTable& table,
                                         const CameraModelInfo& model, bool factoryMode,
                                         const std::function<void(int done, int total)>& afterRow = {});
    // The words of the load summary for a line of this kind; empty for the kinds a load sends or passes
    // over silently.
    static const char* ReasonOf(SettingFileFormat::LineKind kind);
};
