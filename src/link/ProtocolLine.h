// The protocol's lines: a setting is "%s=%s" and a query "%s?", each ended by CR LF; an answer is the
// mnemonic, "=" and the value ("&H" prefixes a hexadecimal integer), or an acknowledgement. No I/O here.
#pragma once

#include "link/CommandAnswer.h"

#include <string>

class ProtocolLine {
public:
    // 1 when the line names a known command (its value parsed by the command's type), else 0.
    static int ParseAnswer(const std::string& line, CommandAnswer& answer);
    static int ParseSettingLine(const std::string& line, int& commandIndex, std::string& mnemonic, int& value,
                                std::string& text);
    static std::string MnemonicOf(int commandIndex);
    // The value goes out as the command's type has it, except a value of its own type (text or decimal),
    // which goes out as that: a text sent to an integer command is sent unchanged.
    static std::string FormatSetting(int commandIndex, const CommandValue& value, bool withLineEnd);
    static std::string FormatQuery(int commandIndex, bool withLineEnd);
    // The value of a stored integer as the command's type has it: a decimal command's integer counts in
    // its last digit ("GA" with one decimal: 205 is 20.5).
    static CommandValue ValueOf(int commandIndex, int value);
    // An answer's value text read as a value of this type with this many decimals.
    static CommandValue ReadValue(const std::string& text, int valueType, int decimals);
};
