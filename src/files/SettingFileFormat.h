// The camera setting file (*.cam): which control-table rows it holds and how each of its lines is taken.
#pragma once

#include <string>
#include <vector>

class ControlTable;

enum class SettingFileVariant { AllData, ShippingData };

class SettingFileFormat {
public:
    // What a line of a setting file is to a load.
    enum class LineKind {
        Blank,  // nothing but blanks: passed over without a word
        Setting,  // a parameter this load sends
        ModelId,  // MD00=<model name>
        NotASetting,  // no "=", a query form (LR?), no value, or a command the file does not keep
        UnknownMnemonic,
        NotOnModel,  // the connected model lacks the command
        FactoryInUserMode,
        NotANumber,  // a value that is not a whole number (after the blanks and the "&H" prefix)
    };

    struct Line {
        LineKind kind = LineKind::Blank;
        std::string mnemonic;  // as written, blanks removed (empty when there is no "=" or "?")
        int commandIndex = -1;
        int controlId = -1;
        int value = 0;  // Setting: the value ("&H1F" is 31)
        std::string text;  // ModelId: the model name; NotANumber: the value as written
    };

    // The rows a file holds, in table order, each "MN=value": kept in files, on the model (an unknown model
    // leaves nothing out), factory rows only when asked for.
    static std::vector<std::string> RowLines(const ControlTable& table, int modelCode, bool withFactoryRows);

    // Blanks, CRs and LFs anywhere in the line are ignored, as the camera itself ignores them.
    static Line Classify(const std::string& line, const ControlTable& table, int modelCode, bool factoryMode);

    // The lines of a file's content; CR LF and LF both end a line, and a last line without an end counts.
    static std::vector<std::string> SplitLines(const std::string& content);
};
